target_sources(kelcc_core_tests PRIVATE
    core/plc/il_store_test.cpp
    core/plc/ladder_grid_test.cpp
    core/plc/plc_document_test.cpp
)
