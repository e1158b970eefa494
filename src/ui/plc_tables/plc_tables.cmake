target_sources(kelcc_ui PRIVATE
    plc_tables/data_tables_window.cpp
    plc_tables/data_tables_window.h
    plc_tables/information_window.cpp
    plc_tables/information_window.h
    plc_tables/io_comment_add_dialog.cpp
    plc_tables/io_comment_add_dialog.h
    plc_tables/io_comment_find_dialog.cpp
    plc_tables/io_comment_find_dialog.h
    plc_tables/k_value_dialog.cpp
    plc_tables/k_value_dialog.h
    plc_tables/plc_table_window.cpp
    plc_tables/plc_table_window.h
    plc_tables/plc_table_window_kinds.cpp
    plc_tables/plc_table_window_kinds.h
)
