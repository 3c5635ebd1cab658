# The search window (CSearchDlg) and its template and menu.

# Resources in a static library are not linked in: executables that show the
# search window link zade_search_window_res as well.
add_library(zade_search_window_res OBJECT ${CMAKE_CURRENT_LIST_DIR}/search_dialog.rc)
target_include_directories(zade_search_window_res PRIVATE ${PROJECT_SOURCE_DIR})

add_library(zade_search_window STATIC
    ${CMAKE_CURRENT_LIST_DIR}/SearchDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shell_path.cpp)
target_include_directories(zade_search_window PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(zade_search_window PUBLIC zade_framework zade_search zade_progress_window
                      zade_about_box)
