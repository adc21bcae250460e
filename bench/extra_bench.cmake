# The whole-run benchmark's tools (bench/whole_run.sh runs them): the mesh
# generator and the floor program with the converter's system calls alone.
add_executable(stlwire_bench_mesh ${CMAKE_SOURCE_DIR}/bench/mesh_generator.cpp)
add_executable(stlwire_floor ${CMAKE_SOURCE_DIR}/bench/floor.cpp)
