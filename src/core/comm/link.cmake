target_sources(kelcc_core PRIVATE
    comm/link_byte_sink.h
    comm/link_clock.h
    comm/link_engine.cpp
    comm/link_engine.h
    comm/link_errors.cpp
    comm/link_errors.h
    comm/link_frame.cpp
    comm/link_frame.h
    comm/link_frame_parser.cpp
    comm/link_frame_parser.h
    comm/link_listener.h
    comm/link_outbox.cpp
    comm/link_outbox.h
    comm/link_transfer_file.h
    comm/link_transfer_handler.h
    comm/link_types.h
)
