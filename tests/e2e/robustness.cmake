# Robustness of the real bundle: closing while it clicks, presses faster than its clock, a server
# without XTest, and broken pictures. The lamp is pressed by brem-robustness-driver.
add_executable(brem_robustness_driver ${CMAKE_CURRENT_LIST_DIR}/RobustnessDriver.cpp)
target_link_libraries(brem_robustness_driver PRIVATE X11::X11 X11::Xtst)
set_target_properties(brem_robustness_driver PROPERTIES OUTPUT_NAME brem-robustness-driver)

set(BREM_ROBUSTNESS_ENV BREM_DRIVER=$<TARGET_FILE:brem_robustness_driver>)

brem_e2e_test(NAME e2e.robustness.close_while_running TIMEOUT 30
  COMMAND bash ${BREM_E2E_DIR}/robustness.sh close-while-running
  ENVIRONMENT ${BREM_ROBUSTNESS_ENV})
brem_e2e_test(NAME e2e.robustness.quick_presses TIMEOUT 30
  COMMAND bash ${BREM_E2E_DIR}/robustness.sh quick-presses
  ENVIRONMENT ${BREM_ROBUSTNESS_ENV})
# brem_e2e_test's own server always has XTest, so this one starts its server itself, looking for
# a free display number far from the ones brem_e2e_test hands out and from xvfb-run's default.
brem_e2e_test(NAME e2e.robustness.no_xtest NO_DISPLAY TIMEOUT 30
  COMMAND ${BREM_XVFB_RUN} -a -n 500 -s "${BREM_E2E_SCREEN} -extension XTEST"
          bash ${BREM_E2E_DIR}/robustness.sh no-xtest
  ENVIRONMENT ${BREM_ROBUSTNESS_ENV})
# One picture broken at a time, in a copy of the bundle; split by the way it is broken to keep
# each case short.
foreach(breakage missing truncated folder)
  brem_e2e_test(NAME e2e.robustness.pictures_${breakage} TIMEOUT 30
    COMMAND bash ${BREM_E2E_DIR}/robustness.sh pictures ${breakage}
    ENVIRONMENT ${BREM_ROBUSTNESS_ENV})
endforeach()
