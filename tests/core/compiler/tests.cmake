target_sources(kelcc_core_tests PRIVATE
    core/compiler/ladder_grid_test.cpp
)
