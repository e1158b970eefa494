# Ladder view operations without the view: editing, row layout, find and
# cross references, print pagination.
target_sources(kelcc_core PRIVATE
    ladder_editor/cell_range.h
    ladder_editor/copy_buffer.cpp
    ladder_editor/copy_buffer.h
    ladder_editor/cross_reference.cpp
    ladder_editor/cross_reference.h
    ladder_editor/cross_reference_lookup.cpp
    ladder_editor/cross_reference_lookup.h
    ladder_editor/edit_result.h
    ladder_editor/element_placement.cpp
    ladder_editor/element_placement.h
    ladder_editor/ladder_draft.cpp
    ladder_editor/ladder_recovery.cpp
    ladder_editor/ladder_recovery.h
    ladder_editor/ladder_draft.h
    ladder_editor/function_chooser.cpp
    ladder_editor/function_chooser.h
    ladder_editor/ladder_editor.cpp
    ladder_editor/ladder_editor.h
    ladder_editor/ladder_find.cpp
    ladder_editor/ladder_find.h
    ladder_editor/print_pagination.cpp
    ladder_editor/print_pagination.h
    ladder_editor/row_layout.cpp
    ladder_editor/row_layout.h
)
