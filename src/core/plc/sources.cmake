target_sources(kelcc_core PRIVATE
    plc/il_store.cpp
    plc/il_store.h
    plc/instruction_code.cpp
    plc/instruction_code.h
    plc/ladder_cell.h
    plc/ladder_grid.cpp
    plc/ladder_grid.h
    plc/network.h
    plc/plc_document.cpp
    plc/plc_change.h
    plc/plc_document.h
    plc/plc_edit_command.cpp
    plc/plc_edit_command.h
    plc/plc_records.h
    plc/project_state.cpp
    plc/project_state.h
)
