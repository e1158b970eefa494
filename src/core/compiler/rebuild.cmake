target_sources(kelcc_core PRIVATE
    compiler/compile_errors.cpp
    compiler/compile_errors.h
    compiler/program_references.cpp
    compiler/program_references.h
)
