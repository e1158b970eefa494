# Address checks, instruction texts and operand forms.
target_sources(kelcc_core PRIVATE
    plc/address_check.cpp
    plc/address_check.h
    plc/codb_table.cpp
    plc/codb_table.h
    plc/instruction_text.cpp
    plc/instruction_text.h
    plc/operand_field.h
    plc/operand_form.cpp
    plc/operand_form.h
    plc/operand_form_data.cpp
    plc/operand_form_data.h
    plc/plc_address.cpp
    plc/plc_address.h
)
