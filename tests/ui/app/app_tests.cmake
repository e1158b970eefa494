target_sources(kelcc_ui_tests PRIVATE
    app/message_translator_test.cpp
)
