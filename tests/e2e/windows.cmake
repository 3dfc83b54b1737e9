# The two windows as another X client sees them: the main window, the half-transparent target
# right below its title bar, and the end of the program when the main window is closed.
brem_e2e_test(NAME e2e.windows.main_and_target
  COMMAND bash ${BREM_E2E_DIR}/windows.sh)
