target_sources(kelcc_core_tests PRIVATE
    core/ladder_editor/editor_script_test.cpp
    core/ladder_editor/cross_reference_test.cpp
    core/ladder_editor/ladder_find_test.cpp
    core/ladder_editor/ladder_recovery_test.cpp
    core/ladder_editor/ladder_undo_test.cpp
    core/ladder_editor/row_layout_test.cpp
    core/ladder_editor/print_pagination_test.cpp
)
