target_sources(kelcc_core_tests PRIVATE
    core/compiler/grid_text_test.cpp
)
