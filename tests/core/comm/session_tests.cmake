target_sources(kelcc_core_tests PRIVATE
    core/comm/fake_controller.h
    core/comm/transfer_session_test.cpp
)
