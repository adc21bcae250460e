# The converter runs of the IGES tests share one harness.
target_sources(stlwire_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/iges_run.cpp)

# Read-back of written IGES files by Open CASCADE, a real CAD kernel.
# The IGES reader's libraries are found one by one: the package's own CMake
# files expect modules that the data-exchange package does not install.
find_path(OCCT_INCLUDE_DIR IGESControl_Reader.hxx PATH_SUFFIXES opencascade)
set(OCCT_READER_LIBRARIES)
set(OCCT_FOUND ${OCCT_INCLUDE_DIR})
foreach(lib TKIGES TKXSBase TKBRep TKG3d TKMath TKernel)
  find_library(OCCT_${lib} ${lib})
  if(NOT OCCT_${lib})
    set(OCCT_FOUND FALSE)
  endif()
  list(APPEND OCCT_READER_LIBRARIES ${OCCT_${lib}})
endforeach()
if(OCCT_FOUND)
  add_executable(stlwire_occt_tests ${CMAKE_SOURCE_DIR}/tests/occt_readback.cpp
                 ${CMAKE_SOURCE_DIR}/tests/run_program.cpp)
  target_include_directories(stlwire_occt_tests SYSTEM PRIVATE ${OCCT_INCLUDE_DIR})
  target_include_directories(stlwire_occt_tests PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(stlwire_occt_tests PRIVATE ${OCCT_READER_LIBRARIES}
                        GTest::gtest GTest::gtest_main)
  target_compile_definitions(stlwire_occt_tests PRIVATE STLWIRE_BINARY="$<TARGET_FILE:stlwire>")
  add_dependencies(stlwire_occt_tests stlwire)
  add_test(NAME iges_occt_readback COMMAND stlwire_occt_tests)
else()
  # Without the kernel the read-back cannot run: say so as a failing test.
  message(WARNING "Open CASCADE not found: install libocct-data-exchange-dev")
  add_test(NAME iges_occt_readback COMMAND ${CMAKE_COMMAND} -E false)
endif()
