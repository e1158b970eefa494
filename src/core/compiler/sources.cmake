target_sources(kelcc_core PRIVATE
    compiler/plc_document_file.cpp
    compiler/plc_document_file.h
)
