target_sources(kelcc_core_tests PRIVATE
    core/compiler/compile_errors_test.cpp
    core/compiler/il_check_test.cpp
    core/compiler/il_program_generator.cpp
    core/compiler/il_program_generator.h
    core/compiler/il_program_generator_test.cpp
    core/compiler/il_test_program.cpp
    core/compiler/il_test_program.h
    core/compiler/ladder_rebuild_test.cpp
)
