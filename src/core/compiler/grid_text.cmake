target_sources(kelcc_core PRIVATE
    compiler/grid_text.cpp
    compiler/grid_text.h
)
