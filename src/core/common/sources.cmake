target_sources(kelcc_core PRIVATE
    common/atomic_file.cpp
    common/atomic_file.h
    common/crc16.cpp
    common/crc16.h
    common/document.cpp
    common/document.h
    common/document_change.h
    common/document_listener.h
    common/interaction.cpp
    common/interaction.h
    common/text_codec.cpp
    common/text_codec.h
    common/undo_command.h
    common/undo_stack.cpp
    common/undo_stack.h
)
