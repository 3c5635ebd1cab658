# Name folding, the three tests and the search run over the index file.
add_library(zade_search STATIC
    ${CMAKE_CURRENT_LIST_DIR}/fold.cpp
    ${CMAKE_CURRENT_LIST_DIR}/filters.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scan_kernels.cpp
    ${CMAKE_CURRENT_LIST_DIR}/search_pass.cpp
    ${CMAKE_CURRENT_LIST_DIR}/search_run.cpp)
target_link_libraries(zade_search PUBLIC zade_index_file)

# The plain step-by-step search, kept beside the engine so that tests and
# fuzzing in every configuration can compare the two.
add_library(zade_literal_search STATIC ${PROJECT_SOURCE_DIR}/bench/literal_search.cpp)
target_include_directories(zade_literal_search PUBLIC ${PROJECT_SOURCE_DIR})
