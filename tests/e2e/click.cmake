# The click on a real X server, from inside the program after its real start-up: the chosen
# button pressed and released at the click point in another client's window, and the pointer put
# back wherever the user had left it.
add_executable(brem_click_program ${CMAKE_CURRENT_LIST_DIR}/ClickProgram.cpp)
target_link_libraries(brem_click_program PRIVATE BremApp Qt6::Core brem_e2e_support)
set_target_properties(brem_click_program PROPERTIES OUTPUT_NAME brem-click-program)

brem_e2e_test(NAME e2e.click.button_and_pointer
  COMMAND $<TARGET_FILE:brem_click_program> 300 300)
