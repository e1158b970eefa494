target_sources(kelcc_core_tests PRIVATE
    core/plc/image_element_coder_test.cpp
    core/plc/ladder_image_model_test.cpp
    core/plc/ladder_image_test.cpp
)
