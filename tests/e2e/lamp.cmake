# The lamp pressed for real: the start clicks twice at the target's centre, the stop ends the
# clicks, and the target is hidden in between.
add_executable(brem_lamp_driver ${CMAKE_CURRENT_LIST_DIR}/LampDriver.cpp)
target_link_libraries(brem_lamp_driver PRIVATE X11::X11 X11::Xtst)
set_target_properties(brem_lamp_driver PROPERTIES OUTPUT_NAME brem-lamp-driver)

brem_e2e_test(NAME e2e.lamp.start_and_stop
  COMMAND bash ${BREM_E2E_DIR}/lamp.sh $<TARGET_FILE:brem_lamp_driver>)
