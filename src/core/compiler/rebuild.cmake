target_sources(kelcc_core PRIVATE
    compiler/compile_errors.cpp
    compiler/compile_errors.h
    compiler/il_check.cpp
    compiler/il_check.h
    compiler/ladder_rebuild.cpp
    compiler/ladder_rebuild.h
    compiler/program_references.cpp
    compiler/program_references.h
    compiler/rebuild_block.cpp
    compiler/rebuild_block.h
)
