target_sources(kelcc_ui_tests PRIVATE
    comm/transfer_dialogs_test.cpp
    comm/transfer_session_window_test.cpp
    comm/transfer_test_support.cpp
    comm/transfer_test_support.h
)
# The end-to-end cases talk to the stand-in controller program.
add_dependencies(kelcc_ui_tests kel500-sim)
target_compile_definitions(kelcc_ui_tests PRIVATE KELCC_SIM_PATH="$<TARGET_FILE:kel500-sim>"
    KELCC_COMM_CASES="${CMAKE_CURRENT_SOURCE_DIR}/comm/cases")
