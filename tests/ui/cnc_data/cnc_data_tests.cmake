target_sources(kelcc_ui_tests PRIVATE
    cnc_data/cnc_data_windows_test.cpp
)
