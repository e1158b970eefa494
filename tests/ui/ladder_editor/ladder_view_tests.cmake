target_sources(kelcc_ui_tests PRIVATE
)
