# The indexer: folder queue, breadth-first walk, index writer and build job.
add_library(zade_indexer STATIC
    ${CMAKE_CURRENT_LIST_DIR}/index_progress.cpp
    ${CMAKE_CURRENT_LIST_DIR}/folder_queue.cpp
    ${CMAKE_CURRENT_LIST_DIR}/index_writer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/walk.cpp
    ${CMAKE_CURRENT_LIST_DIR}/build_job.cpp)
target_include_directories(zade_indexer PUBLIC ${PROJECT_SOURCE_DIR})
find_package(Threads REQUIRED)
target_link_libraries(zade_indexer PUBLIC zade_index_file zade_platform Threads::Threads)
