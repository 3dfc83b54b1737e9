# A click falling due while the user holds a mouse button, under openbox: the left button held
# in a drag on another window with the left or the right button chosen, and the press that
# starts the cycle held on the lamp. The click waits until the button is up; the program goes on
# counting meanwhile.
find_program(BREM_OPENBOX openbox)
if(NOT BREM_OPENBOX)
  message(STATUS "No openbox: the held-button checks are left out")
  return()
endif()

set(BREM_HELD bash ${BREM_E2E_DIR}/held.sh)
foreach(case left right lamp)
  brem_e2e_test(NAME e2e.held_button.${case} TIMEOUT 90
    COMMAND ${BREM_HELD} ${case} ENVIRONMENT BREM_OPENBOX=${BREM_OPENBOX})
endforeach()
