target_sources(kelcc_core PRIVATE
    plc_tables/alarm_table_model.cpp
    plc_tables/alarm_table_model.h
    plc_tables/cell_rules.cpp
    plc_tables/cell_rules.h
    plc_tables/data_table_model.cpp
    plc_tables/data_table_model.h
    plc_tables/io_comment_model.cpp
    plc_tables/io_comment_model.h
    plc_tables/k_table_model.cpp
    plc_tables/k_table_model.h
    plc_tables/plc_table_model.cpp
    plc_tables/plc_table_model.h
    plc_tables/table_transfer.cpp
    plc_tables/table_transfer.h
)
