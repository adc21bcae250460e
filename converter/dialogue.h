// The texts of the screen dialogue and the printing of its rows.
#pragma once

#include <string>

// One printed item: placed to fit, the row not ended.
void print_item(const std::string& item);
// A printed row: one item, then the end of the row.
void print_row(const std::string& text);
// An empty row.
void print_empty_row();
