target_sources(kelcc_core_tests PRIVATE
    core/plc/plc_document_file_test.cpp
)
