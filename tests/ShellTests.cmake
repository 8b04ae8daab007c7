# Tests of the application shell.
add_executable(shell_tests
  TestSupport.cpp
  SettingsFileTest.cpp
  WindowPlacementTest.cpp
  ReportLogListTest.cpp
  PageUrlTest.cpp
  SettingsLocationTest.cpp
  FailureTextTest.cpp
)
target_link_libraries(shell_tests PRIVATE zintor_shell GTest::gtest GTest::gtest_main)
gtest_discover_tests(shell_tests DISCOVERY_MODE PRE_TEST)

# The window tests each start their own virtual display; `xvfb-run -a` can hand the same
# display number to two runs started at once, so they take turns. Under the sanitizers the
# toolkit's own allocations that live until exit are not ours to report: leak checking is
# off for them (address and undefined-behaviour checks stay on).
set(zintor_window_test_env "LANG=C;LC_ALL=;LC_MESSAGES=")
if(ZINTOR_SANITIZE)
  list(APPEND zintor_window_test_env "ASAN_OPTIONS=detect_leaks=0")
endif()

# The window in the test process, on a virtual display.
if(TARGET zintor_gui_objects)
  add_executable(gui_tests
    TestSupport.cpp
    gui/GuiTestMain.cpp
    gui/MainWindowTest.cpp
    gui/AboutBoxTest.cpp
    gui/AssertReportTest.cpp
    $<TARGET_OBJECTS:zintor_gui_objects>
  )
  target_include_directories(gui_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(gui_tests PRIVATE zintor_gui_objects GTest::gtest)
  target_compile_definitions(gui_tests PRIVATE ZINTOR_BUILD_DIR="${CMAKE_BINARY_DIR}")
  add_dependencies(gui_tests zintor zintor_gui)
  add_test(NAME gui_tests COMMAND xvfb-run -a -s "-screen 0 1280x800x24" $<TARGET_FILE:gui_tests>)
  set_tests_properties(gui_tests PROPERTIES TIMEOUT 300 RESOURCE_LOCK display
                                  ENVIRONMENT "${zintor_window_test_env}")
endif()

# The real program driven with keys and clicks on a virtual display: without a window
# manager, under openbox (every case), and under icewm (placement, maximising, topmost, where
# managers differ most). The window's own code runs under the sanitizers in gui_tests above;
# driving the whole program end to end is left to the plain build, where it takes a third of
# the time.
if(TARGET zintor_gui AND NOT ZINTOR_SANITIZE)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(zintor_e2e_command xvfb-run -a -s "-screen 0 1280x800x24"
    ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/e2e/window_e2e.py --build-dir ${CMAKE_BINARY_DIR})
  add_test(NAME window_e2e COMMAND ${zintor_e2e_command})
  add_test(NAME window_e2e_openbox COMMAND ${zintor_e2e_command} --wm openbox)
  add_test(NAME window_e2e_icewm COMMAND ${zintor_e2e_command} --wm icewm -k placement -k topmost)
  set_tests_properties(window_e2e window_e2e_openbox window_e2e_icewm PROPERTIES TIMEOUT 400
                       RESOURCE_LOCK display ENVIRONMENT "${zintor_window_test_env}")
endif()
