find_package(Threads REQUIRED)
target_link_libraries(kelcc_core PUBLIC Threads::Threads)

target_sources(kelcc_core PRIVATE
    comm/link_host.cpp
    comm/link_host.h
    comm/link_input.h
    comm/port_paths.cpp
    comm/port_paths.h
    comm/posix_serial_port.cpp
    comm/posix_serial_port.h
    comm/serial_message.h
    comm/serial_message_queue.cpp
    comm/serial_message_queue.h
    comm/serial_port.h
    comm/serial_workers.cpp
    comm/serial_workers.h
    comm/stop_signal.cpp
    comm/stop_signal.h
)
