target_sources(kelcc_ui PRIVATE
    cnc_data/delete_program_dialog.cpp
    cnc_data/delete_program_dialog.h
    cnc_data/part_program_actions.cpp
    cnc_data/part_program_actions.h
    cnc_data/part_program_dialogs.cpp
    cnc_data/part_program_dialogs.h
    cnc_data/part_program_window.cpp
    cnc_data/part_program_window.h
    cnc_data/program_name_dialog.cpp
    cnc_data/program_name_dialog.h
    cnc_data/text_find_dialog.cpp
    cnc_data/text_find_dialog.h
)

# Writes the bundled demo project (scripts/demo/make_demo.sh); built only
# on request.
add_executable(kelcc_make_demo EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/scripts/demo/make_demo.cpp)
target_link_libraries(kelcc_make_demo PRIVATE kelcc::core kelcc::warnings)
set_target_properties(kelcc_make_demo PROPERTIES AUTOMOC OFF)
