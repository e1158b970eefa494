target_sources(kelcc_core_tests PRIVATE
    core/comm/link_host_test.cpp
    core/comm/pty_pair.h
    core/comm/serial_port_test.cpp
    core/comm/serial_workers_test.cpp
)
