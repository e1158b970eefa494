target_sources(kelcc_ui PRIVATE
    app/document_kinds.cpp
    app/document_kinds.h
    app/document_window.cpp
    app/document_window.h
    app/message_translator.cpp
    app/message_translator.h
    app/workbench.cpp
    app/workbench.h
)
