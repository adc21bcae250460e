// The fixed texts and record templates of the IGES file, each exactly 80
// characters: columns 1-72 data, 73 the section letter, 74-80 the sequence
// number.
#pragma once

#include <string_view>

#include "converter/converter_state.h"   // contact_address, also in G2 and G5

// 80 blanks: the empty record.
inline constexpr char blank_record[] =
    "                                                                                ";

// Start section, written unchanged.
inline constexpr char start_record_1[] =
    "IGES file generated from Zorvin Quarn software 3D utilites DOS          S0000001";
inline constexpr char start_record_2[] =
    "translator from Zorvin Quarn software  translator version 1.00.         S0000002";

// Global section: G2 written unchanged; G4 and G5 are templates whose
// stamp digits stand when the clock cannot be read.
inline constexpr char global_record_2[] =
    "35HZorvi Quarn stlwire@example.com    ,12HFCTWIRE1 1.0,32,38,6,38,15,   G0000002";
inline constexpr char global_template_4[] =
    "32767,0.5,13H980502.025058,                                             G0000004";
inline constexpr char global_template_5[] =
    "36HZorvin Quarn stlwire@example.com    ,6,0,13H980502.025099;           G0000005";
inline constexpr char global_sequence_1[] = "G0000001";
inline constexpr char global_sequence_3[] = "G0000003";
// Author field of G4, after the resolution and the size.
inline constexpr char global_author_tail[] = ",7HZ.Quarn,";
// End of the G3 parameter text, after the IGES name's Hollerith string.
inline constexpr char global_units_tail[] = ",1.0,1,4HINCH,";

// Terminate section: the two counts are placed over the zeros.
inline constexpr char terminate_template[] =
    "S0000002G0000005D0000000P0000000                                        T0000001";

// Line entity (type 110): two Directory Entry records, one Parameter Data.
inline constexpr char de_template_1[] =
    "     110       1       0       1       0       0       0       000000000D       ";
inline constexpr char de_template_2[] =
    "     110       0       8       1       0                               0D       ";
inline constexpr char pd_record_template[] =
    "110,                                                                    P       ";

namespace iges_template_checks {
constexpr bool is_record(std::string_view text) { return text.size() == 80; }
static_assert(is_record(blank_record));
static_assert(is_record(start_record_1) && is_record(start_record_2));
static_assert(is_record(global_record_2) && is_record(global_template_4) &&
              is_record(global_template_5));
static_assert(is_record(terminate_template));
static_assert(is_record(de_template_1) && is_record(de_template_2) &&
              is_record(pd_record_template));
static_assert(std::string_view(global_record_2).substr(15, 19) == contact_address);
static_assert(std::string_view(global_template_5).substr(16, 19) == contact_address);
}  // namespace iges_template_checks
