# zade_add_gtest(<name> SOURCES <files...> LIBS <targets...> [DISPLAY])
# Builds one GoogleTest executable and registers it with CTest. Natively every
# test case becomes a CTest test; under Wine the executable is one CTest test,
# since each start of Wine costs about a second. DISPLAY marks suites that
# create windows, so that they run with an X display.
function(zade_add_gtest name)
    cmake_parse_arguments(ARG "DISPLAY" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
        set_tests_properties(${name} PROPERTIES
            ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix"
            TIMEOUT 600)
        if(ARG_DISPLAY)
            set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "ZADE_NEEDS_DISPLAY=1")
            # Suites that share the display take turns: the foreground window,
            # and so the keyboard focus, is one for the whole display.
            set_property(TEST ${name} PROPERTY RESOURCE_LOCK zade_display)
        endif()
    else()
        include(GoogleTest)
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
            PROPERTIES TIMEOUT 600)
    endif()
endfunction()
