# Tests of the application shell.
add_executable(shell_tests
  TestSupport.cpp
  SettingsFileTest.cpp
  WindowPlacementTest.cpp
  ReportLogListTest.cpp
  PageUrlTest.cpp
)
target_link_libraries(shell_tests PRIVATE zintor_shell GTest::gtest GTest::gtest_main)
gtest_discover_tests(shell_tests DISCOVERY_MODE PRE_TEST)
