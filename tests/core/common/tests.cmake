target_sources(kelcc_core_tests PRIVATE
    core/common/atomic_file_test.cpp
    core/common/crc16_test.cpp
    core/common/text_codec_test.cpp
)
