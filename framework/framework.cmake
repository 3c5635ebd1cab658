# Our dialog class library over Win32 (Windows only).
add_library(zade_framework STATIC
    ${CMAKE_CURRENT_LIST_DIR}/cstring.cpp
    ${CMAKE_CURRENT_LIST_DIR}/data_exchange.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/message_map.cpp
    ${CMAKE_CURRENT_LIST_DIR}/services.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win_app.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wnd.cpp)
target_include_directories(zade_framework PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(zade_framework PUBLIC user32 gdi32 comctl32 shell32 ws2_32)

# The entry point (WinMain running the application object). An object
# library, so the linker takes it even though the C runtime asks for
# WinMain only after the static libraries have been searched.
add_library(zade_framework_main OBJECT ${CMAKE_CURRENT_LIST_DIR}/win_main.cpp)
target_link_libraries(zade_framework_main PUBLIC zade_framework)
