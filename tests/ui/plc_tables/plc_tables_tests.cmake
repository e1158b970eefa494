target_sources(kelcc_ui_tests PRIVATE
    plc_tables/plc_table_windows_test.cpp
)
