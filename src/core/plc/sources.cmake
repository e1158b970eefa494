target_sources(kelcc_core PRIVATE
    plc/il_store.cpp
    plc/il_store.h
    plc/instruction_code.cpp
    plc/instruction_code.h
    plc/plc_document.cpp
    plc/plc_document.h
    plc/project_state.cpp
    plc/project_state.h
)
