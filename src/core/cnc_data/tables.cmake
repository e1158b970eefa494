# Tool offsets, pitch compensation and the file-level part of part programs.
target_sources(kelcc_core PRIVATE
    cnc_data/cell_rules.cpp
    cnc_data/cell_rules.h
    cnc_data/cnc_table_document.cpp
    cnc_data/cnc_table_document.h
    cnc_data/part_program_document.cpp
    cnc_data/part_program_document.h
    cnc_data/part_program_image.cpp
    cnc_data/part_program_image.h
    cnc_data/pitch_compensation_document.cpp
    cnc_data/pitch_compensation_document.h
    cnc_data/pitch_compensation_table.cpp
    cnc_data/pitch_compensation_table.h
    cnc_data/program_name.cpp
    cnc_data/program_name.h
    cnc_data/project_mark.h
    cnc_data/tool_offset_document.cpp
    cnc_data/tool_offset_document.h
    cnc_data/tool_offset_table.cpp
    cnc_data/tool_offset_table.h
)
