target_sources(kelcc_core_tests PRIVATE
)
