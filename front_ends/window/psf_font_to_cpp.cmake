# Turns an 8 by 16 PC Screen Font (PSF1 or PSF2, gzip-compressed) into a C++
# source that defines font_8x16: the first 256 glyphs, 16 rows of 8 pixels
# each, the leftmost pixel in the high bit.
#   cmake -DFONT=in.psf.gz -DOUT=out.cpp -P psf_font_to_cpp.cmake
if(NOT FONT OR NOT OUT)
  message(FATAL_ERROR "usage: cmake -DFONT=font.psf.gz -DOUT=out.cpp -P psf_font_to_cpp.cmake")
endif()

get_filename_component(out_dir "${OUT}" DIRECTORY)
file(MAKE_DIRECTORY "${out_dir}")
set(raw "${OUT}.psf")
execute_process(COMMAND gzip -dc "${FONT}" OUTPUT_FILE "${raw}" RESULT_VARIABLE gzip_result)
if(NOT gzip_result EQUAL 0)
  message(FATAL_ERROR "cannot decompress ${FONT}")
endif()
file(READ "${raw}" hex HEX)
file(REMOVE "${raw}")

# Reads the little-endian 32-bit word at a byte offset of the hex text.
function(read_u32 offset result)
  math(EXPR at "${offset} * 2")
  string(SUBSTRING "${hex}" ${at} 8 word)
  string(REGEX REPLACE "^(..)(..)(..)(..)$" "\\4\\3\\2\\1" word "${word}")
  math(EXPR value "0x${word}")
  set(${result} ${value} PARENT_SCOPE)
endfunction()

string(SUBSTRING "${hex}" 0 4 magic1)
string(SUBSTRING "${hex}" 0 8 magic2)
if(magic1 STREQUAL "3604")
  string(SUBSTRING "${hex}" 6 2 height_hex)
  math(EXPR height "0x${height_hex}")
  set(width 8)
  set(header_size 4)
elseif(magic2 STREQUAL "72b54a86")
  read_u32(8 header_size)
  read_u32(24 height)
  read_u32(28 width)
else()
  message(FATAL_ERROR "${FONT} is not a PC Screen Font")
endif()
if(NOT width EQUAL 8 OR NOT height EQUAL 16)
  message(FATAL_ERROR "${FONT} has ${width} by ${height} glyphs, not 8 by 16")
endif()

string(LENGTH "${hex}" hex_length)
math(EXPR needed "(${header_size} + 256 * 16) * 2")
if(hex_length LESS needed)
  message(FATAL_ERROR "${FONT} holds fewer than 256 glyphs")
endif()

set(rows "")
foreach(glyph RANGE 255)
  math(EXPR at "(${header_size} + ${glyph} * 16) * 2")
  string(SUBSTRING "${hex}" ${at} 32 bits)
  string(REGEX REPLACE "(..)" "0x\\1," bits "${bits}")
  string(APPEND rows "    {${bits}},\n")
endforeach()

get_filename_component(font_name "${FONT}" NAME)
file(WRITE "${OUT}.tmp"
"// Generated at build time from ${font_name}; do not edit.
#include \"front_ends/window/font_8x16.h\"

const std::array<Glyph, 256> font_8x16 = {{
${rows}}};
")
file(RENAME "${OUT}.tmp" "${OUT}")
