# The walk benchmark: the real build over one folder beside find.
add_executable(walk_bench ${CMAKE_CURRENT_LIST_DIR}/walk_bench.cpp)
target_link_libraries(walk_bench PRIVATE zade_indexer)
