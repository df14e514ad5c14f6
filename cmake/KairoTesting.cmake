# kairo_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [DISPLAY] [TIMEOUT <s>])
# Builds one QtTest executable and registers it with CTest. DISPLAY tests run
# under their own Xvfb server so they never touch the developer's desktop; the
# desktop's session bus is left out too, or its tray would stand in for the
# tray host the tests start themselves.
find_program(XVFB_RUN xvfb-run)

function(kairo_add_test)
  cmake_parse_arguments(T "DISPLAY" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(T_DISPLAY)
    # xvfb-run -a alone starts every search at the same number, so tests
    # started together can race for one display; each test searches from
    # its own number (-n must come before -a).
    get_property(display_base GLOBAL PROPERTY KAIRO_NEXT_DISPLAY)
    if(NOT display_base)
      set(display_base 100)
    endif()
    math(EXPR next_base "${display_base} + 10")
    set_property(GLOBAL PROPERTY KAIRO_NEXT_DISPLAY ${next_base})
    add_test(NAME ${T_NAME}
      COMMAND env -u DBUS_SESSION_BUS_ADDRESS ${XVFB_RUN} -n ${display_base} -a -s "-screen 0 1920x1080x24" $<TARGET_FILE:${T_NAME}>)
  else()
    add_test(NAME ${T_NAME} COMMAND $<TARGET_FILE:${T_NAME}>)
    set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()
