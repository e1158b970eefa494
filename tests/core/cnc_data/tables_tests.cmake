target_sources(kelcc_core_tests PRIVATE
    core/cnc_data/cell_rules_test.cpp
    core/cnc_data/cnc_table_test.cpp
    core/cnc_data/part_program_test.cpp
)
