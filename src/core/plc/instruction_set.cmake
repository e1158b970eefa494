# Address checks, instruction texts and operand forms.
target_sources(kelcc_core PRIVATE
)
