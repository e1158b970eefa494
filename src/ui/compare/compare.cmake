# Comparing the open project with the controller.
target_sources(kelcc_ui PRIVATE
    compare/compare_with_cnc_action.cpp
    compare/compare_with_cnc_action.h
    compare/compare_with_cnc_dialog.cpp
    compare/compare_with_cnc_dialog.h
)
