target_sources(kelcc_core PRIVATE
    compiler/circuit_graph.cpp
    compiler/circuit_graph.h
    compiler/compile_command.cpp
    compiler/compile_command.h
    compiler/il_generator.cpp
    compiler/il_generator.h
    compiler/ladder_compiler.cpp
    compiler/ladder_compiler.h
    compiler/program_check.cpp
    compiler/program_check.h
)
