target_sources(kelcc_core PRIVATE
    comm/link_file_adapter.cpp
    comm/link_file_adapter.h
    comm/link_host_port.cpp
    comm/link_host_port.h
    comm/transfer_handler.cpp
    comm/transfer_handler.h
    comm/transfer_port.h
    comm/transfer_session.cpp
    comm/transfer_session.h
    comm/transfer_session_input.h
)
