target_sources(kelcc_core_tests PRIVATE
    core/comm/file_list_test.cpp
    core/comm/modem_file_test.cpp
    core/comm/resume_decision_test.cpp
    core/comm/transfer_progress_test.cpp
    core/comm/wire_records_test.cpp
)
target_compile_definitions(kelcc_core_tests
    PRIVATE KELCC_COMM_CASES_DIR="${CMAKE_CURRENT_SOURCE_DIR}/core/comm/cases")
