target_sources(kelcc_core_tests PRIVATE
    core/plc_tables/data_table_model_test.cpp
    core/plc_tables/io_comment_model_test.cpp
    core/plc_tables/table_clipboard_test.cpp
)
