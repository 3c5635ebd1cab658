# The index file: line format, presence test and the reader.
add_library(zade_index_file STATIC
    ${CMAKE_CURRENT_LIST_DIR}/index_line.cpp
    ${CMAKE_CURRENT_LIST_DIR}/index_reader.cpp)
if(WIN32)
    target_sources(zade_index_file PRIVATE ${CMAKE_CURRENT_LIST_DIR}/index_reader_win32.cpp)
else()
    target_sources(zade_index_file PRIVATE ${CMAKE_CURRENT_LIST_DIR}/index_reader_posix.cpp)
endif()
target_include_directories(zade_index_file PUBLIC ${PROJECT_SOURCE_DIR})
