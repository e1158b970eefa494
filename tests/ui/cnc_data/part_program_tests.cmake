target_sources(kelcc_ui_tests PRIVATE
    cnc_data/part_program_actions_test.cpp
    cnc_data/part_program_window_test.cpp
)
target_compile_definitions(kelcc_ui_tests
    PRIVATE KELCC_DEMO_DIR="${CMAKE_SOURCE_DIR}/data/demo")
