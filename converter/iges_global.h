// Parameter texts of the Global records that carry the file names. A text
// must end by column 72: a name too long for it is cut from its front, so
// that its end, the file's own name, stays, and its Hollerith count is the
// length kept.
#pragma once

#include <string>
#include <string_view>

// Longest parameter text of a Global record: columns 1-72.
inline constexpr std::size_t global_text_limit = 72;

// G1: ",," + Hollerith(stl_name) + "," + Hollerith(igs_name) + ",". While the
// text is too long, the longer name (the STL name when both are equally
// long) loses its first character.
std::string g1_parameter_text(std::string_view stl_name, std::string_view igs_name);

// G3: Hollerith(igs_name) + ",1.0,1,4HINCH,", the name cut to the longest
// tail that fits.
std::string g3_parameter_text(std::string_view igs_name);

// G4 from column 28: resolution, model size and the author field.
std::string g4_size_text(float resolution, float model_size);
