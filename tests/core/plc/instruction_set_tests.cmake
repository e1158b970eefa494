target_sources(kelcc_core_tests PRIVATE
    core/plc/address_check_test.cpp
    core/plc/operand_form_test.cpp
)
