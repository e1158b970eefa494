target_sources(kelcc_core PRIVATE
    common/atomic_file.cpp
    common/atomic_file.h
    common/crc16.cpp
    common/crc16.h
    common/interaction.cpp
    common/interaction.h
    common/text_codec.cpp
    common/text_codec.h
)
