target_sources(kelcc_ui_tests PRIVATE
    app/daily_shell_test.cpp
    app/main_window_test.cpp
    app/shell_test_support.cpp
    app/shell_test_support.h
    app/startup_test.cpp
)
# The English translation as the build makes it.
add_dependencies(kelcc_ui_tests kelcc_translations)
target_compile_definitions(kelcc_ui_tests
    PRIVATE KELCC_TRANSLATION_DIR="${PROJECT_BINARY_DIR}/src/ui")
