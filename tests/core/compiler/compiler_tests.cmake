target_sources(kelcc_core_tests PRIVATE
    core/compiler/circuit_oracle.cpp
    core/compiler/circuit_oracle.h
    core/compiler/compile_command_test.cpp
    core/compiler/compiler_fixpoint_test.cpp
    core/compiler/fixpoint_check.cpp
    core/compiler/fixpoint_check.h
    core/compiler/ladder_compiler_test.cpp
    core/compiler/ladder_drawing.cpp
    core/compiler/ladder_drawing.h
)

# The long run of the fixpoint properties, started by hand; not a test.
add_executable(compiler_fixpoint_run
    core/compiler/compiler_fixpoint_run.cpp
    core/compiler/fixpoint_check.cpp
    core/compiler/fixpoint_check.h
    core/compiler/il_program_generator.cpp
    core/compiler/il_program_generator.h
    core/compiler/il_test_program.cpp
    core/compiler/il_test_program.h
)
target_link_libraries(compiler_fixpoint_run PRIVATE kelcc::core kelcc::warnings)
