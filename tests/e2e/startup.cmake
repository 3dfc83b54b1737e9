# Without an X server the program refuses to start with one line of explanation.
brem_e2e_test(NAME e2e.startup.no_display NO_DISPLAY
  COMMAND bash ${BREM_E2E_DIR}/startup.sh no-display)
