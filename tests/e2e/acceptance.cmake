# The journey of a user through the whole program under a real window manager (openbox): drag
# the target over a window by its title bar, choose the right button, set 2 seconds, start, watch
# the clicks land at the target's centre, stop, close. Once plain, once with every pixel of the
# program two server pixels, once with the target partly off the left edge of the screen.
find_program(BREM_OPENBOX openbox)
if(NOT BREM_OPENBOX)
  message(STATUS "No openbox: the acceptance journey is left out")
  return()
endif()

set(BREM_ACCEPTANCE bash ${BREM_E2E_DIR}/acceptance.sh)
set(BREM_ACCEPTANCE_ENV BREM_OPENBOX=${BREM_OPENBOX})
brem_e2e_test(NAME e2e.acceptance.plain TIMEOUT 90
  COMMAND ${BREM_ACCEPTANCE} 1 ENVIRONMENT ${BREM_ACCEPTANCE_ENV})
brem_e2e_test(NAME e2e.acceptance.scale2 TIMEOUT 90
  COMMAND ${BREM_ACCEPTANCE} 2 ENVIRONMENT ${BREM_ACCEPTANCE_ENV})
brem_e2e_test(NAME e2e.acceptance.left_edge TIMEOUT 90
  COMMAND ${BREM_ACCEPTANCE} 1 left-edge ENVIRONMENT ${BREM_ACCEPTANCE_ENV})
