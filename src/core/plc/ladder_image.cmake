target_sources(kelcc_core PRIVATE
    plc/image_element_coder.cpp
    plc/image_element_coder.h
    plc/ladder_image.cpp
    plc/ladder_image.h
    plc/ladder_image_model.cpp
    plc/ladder_image_model.h
)
