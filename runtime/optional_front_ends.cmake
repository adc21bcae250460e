# The window front end: GLFW and OpenGL, and the screen font converted into
# a C++ table at build time, so that nothing is read at run time.
find_package(glfw3 3.3 REQUIRED)
find_package(OpenGL REQUIRED)
# The window tests speak to the X server themselves (the close request).
find_package(X11 REQUIRED)

set(STLWIRE_CONSOLE_FONT /usr/share/consolefonts/default8x16.psf.gz
    CACHE FILEPATH "8 by 16 console font in code page 437 order (Debian's console-data)")
if(NOT EXISTS ${STLWIRE_CONSOLE_FONT})
  message(FATAL_ERROR "${STLWIRE_CONSOLE_FONT} is missing: install Debian's console-data package")
endif()
set(font_source ${CMAKE_BINARY_DIR}/generated/font_8x16.cpp)
add_custom_command(
  OUTPUT ${font_source}
  COMMAND ${CMAKE_COMMAND} -DFONT=${STLWIRE_CONSOLE_FONT} -DOUT=${font_source}
          -P ${CMAKE_CURRENT_LIST_DIR}/psf_font_to_cpp.cmake
  DEPENDS ${STLWIRE_CONSOLE_FONT} ${CMAKE_CURRENT_LIST_DIR}/psf_font_to_cpp.cmake
  COMMENT "Converting the console font into font_8x16.cpp"
  VERBATIM)
target_sources(stlwire_runtime PRIVATE ${font_source})
target_link_libraries(stlwire_runtime PRIVATE glfw OpenGL::GL PUBLIC X11::X11)
