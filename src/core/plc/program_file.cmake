# The .ldx program file reader and writer.
target_sources(kelcc_core PRIVATE
)
