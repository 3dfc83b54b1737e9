# The journey of a user through the whole program under a real window manager (openbox): drag
# the target over a window by its title bar, choose the right button, set 2 seconds, start, watch
# the clicks land at the target's centre, stop, close. Once plain, once with every pixel of the
# program two server pixels, once with the target partly off the left edge of the screen.
find_program(BREM_OPENBOX openbox)
if(NOT BREM_OPENBOX)
  message(STATUS "No openbox: the acceptance journey is left out")
  return()
endif()

add_executable(brem_acceptance
  ${CMAKE_CURRENT_LIST_DIR}/AcceptanceDriver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AcceptanceDesktop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AcceptanceInput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AcceptanceProcess.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AcceptanceRecorder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowProbe.cpp)
target_link_libraries(brem_acceptance PRIVATE X11::X11 X11::Xtst)
set_target_properties(brem_acceptance PROPERTIES OUTPUT_NAME brem-acceptance)
# The journey needs the whole bundle, pictures included.
add_dependencies(brem_acceptance brem brem_pictures)

set(BREM_ACCEPTANCE_COMMAND $<TARGET_FILE:brem_acceptance> --brem ${BREM_E2E_EXE}
  --openbox ${BREM_OPENBOX} --openbox-config ${CMAKE_CURRENT_LIST_DIR}/acceptance-openbox.xml)

brem_e2e_test(NAME e2e.acceptance.plain TIMEOUT 90
  COMMAND ${BREM_ACCEPTANCE_COMMAND})
brem_e2e_test(NAME e2e.acceptance.scale2 TIMEOUT 90
  COMMAND ${BREM_ACCEPTANCE_COMMAND} --scale 2)
brem_e2e_test(NAME e2e.acceptance.left_edge TIMEOUT 90
  COMMAND ${BREM_ACCEPTANCE_COMMAND} --left-edge)
