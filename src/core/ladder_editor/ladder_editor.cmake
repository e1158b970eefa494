target_sources(kelcc_core PRIVATE
)
