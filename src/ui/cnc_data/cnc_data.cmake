# The windows of the CNC parameters, tool offsets and pitch compensation.
target_sources(kelcc_ui PRIVATE
    cnc_data/bit_edit.cpp
    cnc_data/bit_edit.h
    cnc_data/cnc_data_window.cpp
    cnc_data/cnc_data_window.h
    cnc_data/cnc_data_window_kinds.cpp
    cnc_data/cnc_data_window_kinds.h
    cnc_data/cnc_table_window.cpp
    cnc_data/cnc_table_window.h
    cnc_data/function_pane.cpp
    cnc_data/function_pane.h
    cnc_data/numeric_edit.cpp
    cnc_data/numeric_edit.h
    cnc_data/parameter_delegate.cpp
    cnc_data/parameter_delegate.h
    cnc_data/parameter_panel.cpp
    cnc_data/parameter_panel.h
    cnc_data/parameter_window.cpp
    cnc_data/parameter_window.h
)
