# The grid of the project's tables over the core's table interface.
target_sources(kelcc_ui PRIVATE
    tables/cell_delegate.cpp
    tables/cell_delegate.h
    tables/table_item_model.cpp
    tables/table_item_model.h
    tables/table_view.cpp
    tables/table_view.h
)
