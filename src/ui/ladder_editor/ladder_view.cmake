target_sources(kelcc_ui PRIVATE
)
