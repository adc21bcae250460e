# The whole-run benchmark's tools (bench/whole_run.sh runs them): the mesh
# generator and the two floor programs with the converter's system calls
# alone, through the C library and as inline system calls.
add_executable(stlwire_bench_mesh ${CMAKE_SOURCE_DIR}/bench/mesh_generator.cpp)
add_executable(stlwire_floor ${CMAKE_SOURCE_DIR}/bench/floor.cpp)
add_executable(stlwire_floor_inline ${CMAKE_SOURCE_DIR}/bench/floor_inline.cpp)
foreach(floor stlwire_floor stlwire_floor_inline)
  target_include_directories(${floor} PRIVATE ${CMAKE_SOURCE_DIR})
endforeach()
