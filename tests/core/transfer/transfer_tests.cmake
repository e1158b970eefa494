target_sources(kelcc_core_tests PRIVATE
    core/transfer/controller_compare_test.cpp
    core/transfer/session_list_test.cpp
    core/transfer/transfer_session_test.cpp
)
# The sessions run against the stand-in controller's library.
