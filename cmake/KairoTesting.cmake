# kairo_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [DISPLAY]
#                [VIRTUAL_MOUSE] [PROGRAM] [TIMEOUT <s>] [CASES <function...>])
# Builds one QtTest executable and registers it with CTest. VIRTUAL_MOUSE
# tests talk to the virtual mouse in place of hidapi: the device link's hid_*
# calls are resolved by it, so the two close the link line in that order.
# PROGRAM tests start copies of the built program on the preloaded virtual
# mouse (tests/support/programcopy.h) and may ask the scene tool where its
# controls are (KAIRO_SCENETOOL). DISPLAY tests run under their own Xvfb
# server so they never touch the developer's desktop; the desktop's session
# bus is left out too, or its tray would stand in for the tray host the tests
# start themselves.
find_program(XVFB_RUN xvfb-run)

# Sanitizer builds run two to three times slower; every test's timeout is
# multiplied by this rather than each one raised.
set(KAIRO_TEST_TIMEOUT_SCALE 1 CACHE STRING "Factor applied to every test's timeout")

# GCC links AddressSanitizer's runtime as a shared library, which must come
# first in the library list, ahead of the libraries the tests preload (the
# virtual mouse, the full-disk shim). Every LD_PRELOAD the tests set begins
# with KAIRO_PRELOAD_PREFIX: that runtime and a colon, or nothing in a normal
# build.
set(KAIRO_PRELOAD_PREFIX "")
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_FLAGS MATCHES "-fsanitize=[^ ]*address")
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libasan.so
    OUTPUT_VARIABLE asan_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${asan_runtime}" OR NOT EXISTS "${asan_runtime}")
    message(FATAL_ERROR "AddressSanitizer build, but the compiler knows no libasan.so")
  endif()
  set(KAIRO_PRELOAD_PREFIX "${asan_runtime}:")
endif()

# kairo_test_timeout(<test> <seconds>): the test's timeout, scaled.
function(kairo_test_timeout test seconds)
  math(EXPR scaled "${seconds} * ${KAIRO_TEST_TIMEOUT_SCALE}")
  set_tests_properties(${test} PROPERTIES TIMEOUT ${scaled})
endfunction()

# The display number a test's own X server searches from: ten apart per test.
function(kairo_next_display out_var)
  get_property(display_base GLOBAL PROPERTY KAIRO_NEXT_DISPLAY)
  if(NOT display_base)
    set(display_base 100)
  endif()
  math(EXPR next_base "${display_base} + 10")
  set_property(GLOBAL PROPERTY KAIRO_NEXT_DISPLAY ${next_base})
  set(${out_var} ${display_base} PARENT_SCOPE)
endfunction()

# _kairo_register_test(<test> <target> <display> <seconds> [args...])
function(_kairo_register_test test target display seconds)
  if(display)
    # xvfb-run -a alone starts every search at the same number, so tests
    # started together can race for one display; each test searches from
    # its own number (-n must come before -a). -noreset: Xvfb would otherwise
    # reset when its last client disconnects, under a test that is between
    # two programs it starts.
    kairo_next_display(display_base)
    add_test(NAME ${test}
      COMMAND env -u DBUS_SESSION_BUS_ADDRESS ${XVFB_RUN} -n ${display_base} -a -s "-screen 0 1920x1080x24 -noreset" $<TARGET_FILE:${target}> ${ARGN})
  else()
    add_test(NAME ${test} COMMAND $<TARGET_FILE:${target}> ${ARGN})
    set_tests_properties(${test} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
  kairo_test_timeout(${test} ${seconds})
endfunction()

function(kairo_add_test)
  cmake_parse_arguments(T "DISPLAY;VIRTUAL_MOUSE;PROGRAM" "NAME;TIMEOUT" "SOURCES;LIBS;CASES" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
  if(T_VIRTUAL_MOUSE)
    target_link_libraries(${T_NAME} PRIVATE kairo_device kairo_virtual_mouse)
  endif()
  if(T_PROGRAM)
    target_link_libraries(${T_NAME} PRIVATE kairo_program_copy)
    target_compile_definitions(${T_NAME} PRIVATE KAIRO_SCENETOOL="$<TARGET_FILE:kairo-scenetool>")
    add_dependencies(${T_NAME} kairo kairo_virtual_mouse_preload kairo_virtual_mouse_cli
      kairo_modules kairo-scenetool)
  endif()
  # Waits inside a test on a program it started stretch by the same factor.
  target_compile_definitions(${T_NAME} PRIVATE KAIRO_TEST_TIMEOUT_SCALE=${KAIRO_TEST_TIMEOUT_SCALE})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  if(NOT T_CASES)
    _kairo_register_test(${T_NAME} ${T_NAME} "${T_DISPLAY}" ${T_TIMEOUT})
  endif()
  # CASES: one CTest test per test function (or function:row), NAME_function,
  # so that CTest runs the parts of a long test side by side.
  foreach(case IN LISTS T_CASES)
    string(REPLACE ":" "_" case_name "${case}")
    _kairo_register_test(${T_NAME}_${case_name} ${T_NAME} "${T_DISPLAY}" ${T_TIMEOUT} ${case})
  endforeach()
endfunction()
