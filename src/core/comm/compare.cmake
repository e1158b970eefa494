# Comparing a project with the controller's copies of its files.
target_sources(kelcc_core PRIVATE
    comm/compare_session.cpp
    comm/compare_session.h
    comm/controller_compare.cpp
    comm/controller_compare.h
)
