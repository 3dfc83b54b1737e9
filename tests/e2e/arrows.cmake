# Real presses on the arrows and the slider change the delay of the click cycle.
add_executable(brem_arrows_driver ${CMAKE_CURRENT_LIST_DIR}/ArrowsDriver.cpp)
target_link_libraries(brem_arrows_driver PRIVATE X11::X11 X11::Xtst)
set_target_properties(brem_arrows_driver PROPERTIES OUTPUT_NAME brem-arrows-driver)

brem_e2e_test(NAME e2e.arrows.delay_from_presses TIMEOUT 90
  COMMAND bash ${BREM_E2E_DIR}/arrows.sh $<TARGET_FILE:brem_arrows_driver>)
