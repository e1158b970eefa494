target_sources(kelcc_core_tests PRIVATE
    core/comm/link_engine_test.cpp
    core/comm/link_engine_test_seam.h
    core/comm/link_fakes.h
    core/comm/link_frame_test.cpp
)
# The engine is run against the stand-in controller in-process; the
# transcripts of those runs are golden files.
target_link_libraries(kelcc_core_tests PRIVATE kel500_sim_lib)
target_compile_definitions(kelcc_core_tests
    PRIVATE KELCC_LINK_GOLDEN_DIR="${CMAKE_CURRENT_SOURCE_DIR}/core/comm/link_runs")
