# The listing and drive services, and file replacement, for the platform built for.
if(WIN32)
    set(zade_platform_sources listing_win32.cpp file_replace_win32.cpp)
else()
    set(zade_platform_sources listing_posix.cpp parallel_stat_posix.cpp mount_table_posix.cpp file_replace_posix.cpp)
endif()
list(TRANSFORM zade_platform_sources PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
add_library(zade_platform STATIC ${CMAKE_CURRENT_LIST_DIR}/listing_common.cpp
            ${zade_platform_sources})
target_include_directories(zade_platform PUBLIC ${PROJECT_SOURCE_DIR})
