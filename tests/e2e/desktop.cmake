# The program clicking a toolkit button in a normal, managed window under a window manager that
# focuses on click, as on a desktop: every click counted by the button, the pointer put back
# after each start, and on two monitors at three kinds of scaling the clicks at the target's
# centre.
find_program(BREM_OPENBOX openbox)
find_program(BREM_XRANDR xrandr)
find_program(BREM_XRDB xrdb)
find_program(BREM_XDOTOOL xdotool)
if(NOT BREM_OPENBOX OR NOT BREM_XRANDR OR NOT BREM_XRDB OR NOT BREM_XDOTOOL)
  message(STATUS "No openbox, xrandr, xrdb or xdotool: the desktop clicks are left out")
  return()
endif()

add_executable(brem_e2e_button ${CMAKE_CURRENT_LIST_DIR}/ButtonProgram.cpp)
target_link_libraries(brem_e2e_button PRIVATE Qt6::Widgets)
set_target_properties(brem_e2e_button PROPERTIES OUTPUT_NAME brem-e2e-button)

set(BREM_DESKTOP bash ${BREM_E2E_DIR}/desktop.sh)
set(BREM_DESKTOP_ENV BREM_OPENBOX=${BREM_OPENBOX} BREM_BUTTON=$<TARGET_FILE:brem_e2e_button>)
brem_e2e_test(NAME e2e.desktop.start_stop_pairs TIMEOUT 90
  COMMAND ${BREM_DESKTOP} plain 20 ENVIRONMENT ${BREM_DESKTOP_ENV})
brem_e2e_test(NAME e2e.desktop.running_cycle TIMEOUT 90
  COMMAND ${BREM_DESKTOP} plain 0 10 ENVIRONMENT ${BREM_DESKTOP_ENV})

# Two monitors of 1920x1080 side by side on one screen.
set(screen ${BREM_E2E_SCREEN})
set(BREM_E2E_SCREEN "-screen 0 3840x1080x24 -noreset")
foreach(layout xft-dpi scale-factor screen-factors)
  brem_e2e_test(NAME e2e.desktop.monitors.${layout} TIMEOUT 90
    COMMAND ${BREM_DESKTOP} ${layout} 2 ENVIRONMENT ${BREM_DESKTOP_ENV})
endforeach()
set(BREM_E2E_SCREEN ${screen})
