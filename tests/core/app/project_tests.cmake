target_sources(kelcc_core_tests PRIVATE
    core/app/document_registry_test.cpp
    core/app/project_file_test.cpp
    core/app/project_test.cpp
    core/app/settings_rules_test.cpp
)
