target_sources(kelcc_core_tests PRIVATE
    core/plc/program_file_test.cpp
)
