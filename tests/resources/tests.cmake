# The textures in data/ are made by quorvel-texgen: regenerate them into a
# scratch directory and compare byte for byte. A second run goes through PNG
# pictures and quorvel-gltconvert, which must give the same files.
if(TARGET quorvel-texgen AND TARGET quorvel-gltconvert)
  add_test(NAME content_textures_match_generator
    COMMAND ${CMAKE_COMMAND}
      -DTEXGEN=$<TARGET_FILE:quorvel-texgen>
      -DGLTCONVERT=$<TARGET_FILE:quorvel-gltconvert>
      -DDATA=${CMAKE_SOURCE_DIR}/data
      -DSCRATCH=${CMAKE_BINARY_DIR}/testrun/content
      -P ${CMAKE_CURRENT_LIST_DIR}/CheckContent.cmake)
  set_tests_properties(content_textures_match_generator PROPERTIES LABELS "unit;resources;content")
endif()

# The default font test regenerates data/default.glf with the font tool.
if(TARGET quorvel-fontgen AND TARGET test_resources)
  add_dependencies(test_resources quorvel-fontgen)
endif()
