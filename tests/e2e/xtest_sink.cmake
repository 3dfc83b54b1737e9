# The XTest sink against real X servers: one with the XTest extension and one without it.
add_executable(brem_xtest_sink_tests ${CMAKE_CURRENT_LIST_DIR}/XTestSinkTest.cpp)
target_link_libraries(brem_xtest_sink_tests
  PRIVATE BremPlatform GTest::gtest_main brem_e2e_support)

brem_e2e_test(NAME brem_xtest_sink
  COMMAND $<TARGET_FILE:brem_xtest_sink_tests> --gtest_filter=-NoXTest.*)

# brem_e2e_test's own server always has XTest, so this one starts its server itself.
brem_e2e_test(NAME brem_xtest_sink_without_xtest NO_DISPLAY
  COMMAND ${BREM_XVFB_RUN} -a -s "${BREM_E2E_SCREEN} -extension XTEST"
          $<TARGET_FILE:brem_xtest_sink_tests> --gtest_filter=NoXTest.*)
# A skip would mean the server still had XTest, so nothing was checked.
set_tests_properties(brem_xtest_sink_without_xtest
  PROPERTIES FAIL_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
