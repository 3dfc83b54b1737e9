# The XTest sink against a real X server.
add_executable(brem_xtest_sink_tests ${CMAKE_CURRENT_LIST_DIR}/XTestSinkTest.cpp)
target_link_libraries(brem_xtest_sink_tests
  PRIVATE BremPlatform GTest::gtest_main brem_x_tools)
brem_e2e_test(NAME brem_xtest_sink COMMAND $<TARGET_FILE:brem_xtest_sink_tests>)
