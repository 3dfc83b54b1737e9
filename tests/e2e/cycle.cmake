# The click cycle of the real bundle, started and stopped with real presses on its lamp: the
# clicks at the target's centre, the delay set with the arrows and the slider, and what the
# program must survive: closing while it clicks, presses faster than its clock, a server
# without XTest, and broken pictures.
set(BREM_CYCLE bash ${BREM_E2E_DIR}/cycle.sh)
brem_e2e_test(NAME e2e.arrows.delay_from_presses TIMEOUT 90 COMMAND ${BREM_CYCLE} arrows)
brem_e2e_test(NAME e2e.robustness.close_while_running TIMEOUT 30
  COMMAND ${BREM_CYCLE} close-while-running)
brem_e2e_test(NAME e2e.robustness.quick_presses TIMEOUT 30 COMMAND ${BREM_CYCLE} quick-presses)
# brem_e2e_test's own server always has XTest, so this one starts its server itself, looking for
# a free display number far from the ones brem_e2e_test hands out and from xvfb-run's default.
brem_e2e_test(NAME e2e.robustness.no_xtest NO_DISPLAY TIMEOUT 30
  COMMAND ${BREM_XVFB_RUN} -a -n 500 -s "${BREM_E2E_SCREEN} -extension XTEST"
          ${BREM_CYCLE} no-xtest)
brem_e2e_test(NAME e2e.robustness.pictures TIMEOUT 30 COMMAND ${BREM_CYCLE} pictures)
