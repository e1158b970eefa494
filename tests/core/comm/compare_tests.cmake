target_sources(kelcc_core_tests PRIVATE
    core/comm/controller_compare_test.cpp
)
