target_sources(kelcc_ui_tests PRIVATE
    ladder_editor/ladder_window_test.cpp
    ladder_editor/print_command_test.cpp
    ladder_editor/ladder_keyboard_test.cpp
    ${PROJECT_SOURCE_DIR}/src/cli/print_command.cpp
)
# The print command of kelcc-cli runs inside the test program.
target_include_directories(kelcc_ui_tests PRIVATE ${PROJECT_SOURCE_DIR}/src/cli)
target_compile_definitions(kelcc_ui_tests PRIVATE KELCC_CLI_PRINT)
