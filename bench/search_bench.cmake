# The search benchmark: synthetic index, fast pass, plain baseline, rg and grep.
add_executable(search_bench
    ${CMAKE_CURRENT_LIST_DIR}/search_bench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/search_synthetic_index.cpp)
target_link_libraries(search_bench PRIVATE zade_search zade_literal_search)
