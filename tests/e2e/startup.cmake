# The program opens its main window at start and ends when it is closed; without an X server it
# refuses to start with one line of explanation.
brem_e2e_test(NAME e2e.startup.main_window
  COMMAND bash ${BREM_E2E_DIR}/startup.sh main-window)
brem_e2e_test(NAME e2e.startup.no_display NO_DISPLAY
  COMMAND bash ${BREM_E2E_DIR}/startup.sh no-display)
