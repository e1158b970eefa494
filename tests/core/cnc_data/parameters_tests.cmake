target_sources(kelcc_core_tests PRIVATE
    core/cnc_data/parameter_catalogue_test.cpp
    core/cnc_data/parameter_entry_test.cpp
    core/cnc_data/parameter_file_test.cpp
    core/cnc_data/parameter_table_model_test.cpp
)
