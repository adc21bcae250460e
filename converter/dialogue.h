// The texts of the screen dialogue and the printing of its rows.
#pragma once

#include <string>

// The contact address of the banner and of the IGES Global section: it
// must stay 19 characters, which the Hollerith counts before it assume.
inline constexpr const char contact_address[] = "stlwire@example.com";
static_assert(sizeof contact_address - 1 == 19);

// One printed item: placed to fit, the row not ended.
void print_item(const std::string& item);
// A printed row: one item, then the end of the row.
void print_row(const std::string& text);
// An empty row.
void print_empty_row();
