target_sources(kelcc_core PRIVATE
    compiler/ladder_cell.h
    compiler/ladder_grid.cpp
    compiler/ladder_grid.h
    compiler/network.h
    compiler/network_snapshot.cpp
    compiler/network_snapshot.h
)
