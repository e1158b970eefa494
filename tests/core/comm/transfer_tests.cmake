target_sources(kelcc_core_tests PRIVATE
    core/comm/file_list_test.cpp
    core/comm/modem_file_test.cpp
    core/comm/resume_decision_test.cpp
    core/comm/transfer_progress_test.cpp
    core/comm/wire_records_test.cpp
)
