# The index file: line format, presence test and the reader.
add_library(zade_index_file STATIC
    ${CMAKE_CURRENT_LIST_DIR}/index_line.cpp
    ${CMAKE_CURRENT_LIST_DIR}/index_reader.cpp)
target_include_directories(zade_index_file PUBLIC ${PROJECT_SOURCE_DIR})
