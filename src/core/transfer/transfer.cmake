# Transfer sessions: what to send or fetch for a project, driven over the link.
target_sources(kelcc_core PRIVATE
    transfer/compare_session.cpp
    transfer/compare_session.h
    transfer/controller_compare.cpp
    transfer/controller_compare.h
    transfer/link_host_port.cpp
    transfer/link_host_port.h
    transfer/session_driver.cpp
    transfer/session_driver.h
    transfer/session_list.cpp
    transfer/session_list.h
    transfer/transfer_handler.cpp
    transfer/transfer_handler.h
    transfer/transfer_port.h
    transfer/transfer_session.cpp
    transfer/transfer_session.h
    transfer/transfer_session_input.h
)
