target_sources(kelcc_core_tests PRIVATE
    core/compiler/circuit_oracle.cpp
    core/compiler/circuit_oracle.h
    core/compiler/compile_command_test.cpp
    core/compiler/il_round_trip_test.cpp
    core/compiler/ladder_compiler_test.cpp
    core/compiler/ladder_drawing.cpp
    core/compiler/ladder_drawing.h
    core/compiler/program_check_test.cpp
)
