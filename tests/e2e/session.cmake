# The program against its window manager and its X session (session.sh): under openbox, the
# target cannot be closed and a stop brings it back from being minimised; the end of the X server
# ends the program cleanly, idle or clicking; a Wayland session's QT_QPA_PLATFORM changes nothing.
# And a click falling due while the user holds a mouse button (held.sh): the left button held in
# a drag on another window with the left or the right button chosen, and the press that starts
# the cycle held on the lamp. The click waits until the button is up; the program goes on
# counting meanwhile.
find_program(BREM_OPENBOX openbox)
if(NOT BREM_OPENBOX)
  message(STATUS "No openbox: the session and held-button checks are left out")
  return()
endif()

set(BREM_SESSION bash ${BREM_E2E_DIR}/session.sh)
brem_e2e_test(NAME e2e.session.window_manager
  COMMAND ${BREM_SESSION} window-manager ENVIRONMENT BREM_OPENBOX=${BREM_OPENBOX})
# These start and end an X server of their own.
foreach(case idle clicking)
  brem_e2e_test(NAME e2e.session.server_ends_${case} NO_DISPLAY
    COMMAND ${BREM_SESSION} kill-${case} ENVIRONMENT BREM_OPENBOX=${BREM_OPENBOX})
endforeach()

foreach(case left right lamp)
  brem_e2e_test(NAME e2e.held_button.${case} TIMEOUT 90
    COMMAND bash ${BREM_E2E_DIR}/held.sh ${case} ENVIRONMENT BREM_OPENBOX=${BREM_OPENBOX})
endforeach()
