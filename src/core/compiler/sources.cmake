target_sources(kelcc_core PRIVATE
    compiler/ladder_cell.h
    compiler/ladder_grid.cpp
    compiler/ladder_grid.h
    compiler/network.h
)
