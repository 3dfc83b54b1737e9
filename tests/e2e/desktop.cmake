# The program clicking a toolkit button in a normal, managed window under a window manager that
# focuses on click, as on a desktop: the target opening just below the main window and dragged
# over the button by its title bar, every click counted by the button, a cycle's clicks a cycle
# apart, the pointer put back after each start, the target back in its place after each stop;
# the target partly off the left edge; on two monitors at three kinds of scaling the clicks at
# the target's centre. Under openbox, and under mutter (GNOME's), whose frames differ.
add_executable(brem_e2e_button ${CMAKE_CURRENT_LIST_DIR}/ButtonProgram.cpp)
target_link_libraries(brem_e2e_button PRIVATE Qt6::Widgets)
set_target_properties(brem_e2e_button PROPERTIES OUTPUT_NAME brem-e2e-button)

set(BREM_DESKTOP bash ${BREM_E2E_DIR}/desktop.sh)
set(BREM_DESKTOP_ENV BREM_BUTTON=$<TARGET_FILE:brem_e2e_button>)

find_program(BREM_MUTTER mutter)
find_program(BREM_DBUS_DAEMON dbus-daemon)
if(BREM_MUTTER AND BREM_DBUS_DAEMON)
  set(env ${BREM_DESKTOP_ENV} BREM_MUTTER=${BREM_MUTTER})
  # A hidden target that came back a title bar higher would show from the second pair on.
  brem_e2e_test(NAME e2e.desktop.mutter.start_stop_pairs TIMEOUT 90
    COMMAND ${BREM_DESKTOP} mutter plain 8 ENVIRONMENT ${env})
  # Mutter moves the target while it is hidden: the clicks of the run after the start's two would
  # follow it.
  brem_e2e_test(NAME e2e.desktop.mutter.running_cycle TIMEOUT 90
    COMMAND ${BREM_DESKTOP} mutter plain 0 5 ENVIRONMENT ${env})
else()
  message(STATUS "No mutter or dbus-daemon: the desktop clicks under mutter are left out")
endif()

find_program(BREM_OPENBOX openbox)
find_program(BREM_XRANDR xrandr)
find_program(BREM_XRDB xrdb)
find_program(BREM_XDOTOOL xdotool)
if(NOT BREM_OPENBOX OR NOT BREM_XRANDR OR NOT BREM_XRDB OR NOT BREM_XDOTOOL)
  message(STATUS "No openbox, xrandr, xrdb or xdotool: the desktop clicks under openbox left out")
  return()
endif()

list(APPEND BREM_DESKTOP_ENV BREM_OPENBOX=${BREM_OPENBOX})
brem_e2e_test(NAME e2e.desktop.start_stop_pairs TIMEOUT 90
  COMMAND ${BREM_DESKTOP} openbox plain 20 ENVIRONMENT ${BREM_DESKTOP_ENV})
brem_e2e_test(NAME e2e.desktop.running_cycle TIMEOUT 90
  COMMAND ${BREM_DESKTOP} openbox plain 0 10 ENVIRONMENT ${BREM_DESKTOP_ENV})
brem_e2e_test(NAME e2e.desktop.left_edge TIMEOUT 90
  COMMAND ${BREM_DESKTOP} openbox left-edge 2 ENVIRONMENT ${BREM_DESKTOP_ENV})

# Two monitors of 1920x1080 side by side on one screen.
set(screen ${BREM_E2E_SCREEN})
set(BREM_E2E_SCREEN "-screen 0 3840x1080x24 -noreset")
foreach(layout xft-dpi scale-factor screen-factors)
  brem_e2e_test(NAME e2e.desktop.monitors.${layout} TIMEOUT 90
    COMMAND ${BREM_DESKTOP} openbox ${layout} 2 ENVIRONMENT ${BREM_DESKTOP_ENV})
endforeach()
set(BREM_E2E_SCREEN ${screen})
