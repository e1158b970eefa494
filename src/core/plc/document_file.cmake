target_sources(kelcc_core PRIVATE
    plc/plc_document_file.cpp
    plc/plc_document_file.h
)
