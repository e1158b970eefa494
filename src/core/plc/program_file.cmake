# The .ldx program file reader and writer.
target_sources(kelcc_core PRIVATE
    plc/line_reader.cpp
    plc/line_reader.h
    plc/program_file.cpp
    plc/program_file.h
)
