target_sources(kelcc_ui_tests PRIVATE
    cnc_data/part_program_window_test.cpp
)
