# The About box, the application object and the program KavrayZade.exe.

add_library(zade_about_box STATIC ${CMAKE_CURRENT_LIST_DIR}/AboutDlg.cpp)
target_include_directories(zade_about_box PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(zade_about_box PUBLIC zade_framework)

# Icon, About template and picture, strings and version; linked as objects.
add_library(zade_app_res OBJECT ${CMAKE_CURRENT_LIST_DIR}/app.rc)
target_include_directories(zade_app_res PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_LIST_DIR})

# Every resource script the program's windows need.
set(ZADE_PROGRAM_RESOURCES zade_app_res zade_search_window_res zade_index_dialog_res
    CACHE INTERNAL "")

add_executable(KavrayZade WIN32 ${CMAKE_CURRENT_LIST_DIR}/SearchApp.cpp)
target_link_libraries(KavrayZade PRIVATE zade_framework_main zade_search_window
                      ${ZADE_PROGRAM_RESOURCES})
