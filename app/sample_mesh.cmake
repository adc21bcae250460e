# The sample mesh SAMPLE.STL, a small closed solid made by a generator of
# ours, written beside the program at build time so that a new user can
# type its name at the first prompt.
add_executable(stlwire_sample_mesh ${CMAKE_SOURCE_DIR}/app/sample_mesh/sample_mesh_generator.cpp)
if(CMAKE_RUNTIME_OUTPUT_DIRECTORY)
  set(STLWIRE_SAMPLE_MESH ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/SAMPLE.STL)
else()
  set(STLWIRE_SAMPLE_MESH ${CMAKE_CURRENT_BINARY_DIR}/SAMPLE.STL)
endif()
add_custom_command(
  OUTPUT ${STLWIRE_SAMPLE_MESH}
  COMMAND stlwire_sample_mesh ${STLWIRE_SAMPLE_MESH}
  DEPENDS stlwire_sample_mesh
  COMMENT "Writing the sample mesh SAMPLE.STL")
add_custom_target(stlwire_sample ALL DEPENDS ${STLWIRE_SAMPLE_MESH})
