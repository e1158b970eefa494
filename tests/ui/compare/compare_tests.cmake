target_sources(kelcc_ui_tests PRIVATE
    compare/compare_with_cnc_dialog_test.cpp
)
