# quillon_add_test(<name> LIBS <targets...> [X11])
# Builds tests/<name>.cpp into a QtTest executable and registers it with
# CTest. Windows are made on Qt's offscreen platform; with X11, on an X
# server of the test's own (Xvfb), for what offscreen does not do, such as
# opening the web browser.
function(quillon_add_test name)
    cmake_parse_arguments(ARG "X11" "" "LIBS;SOURCES" ${ARGN})
    add_executable(${name} ${name}.cpp ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
    set(platform offscreen)
    if(ARG_X11)
        set(platform xcb)
        add_test(NAME ${name} COMMAND xvfb-run -a -s "-screen 0 1024x768x24" $<TARGET_FILE:${name}>)
    else()
        add_test(NAME ${name} COMMAND ${name})
    endif()
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=${platform};ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
        TIMEOUT 300)
endfunction()
