target_sources(kelcc_core_tests PRIVATE
    core/compiler/plc_document_file_test.cpp
)
