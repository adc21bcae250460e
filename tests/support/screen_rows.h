// Helpers for tests that look at the text screen.
#pragma once

#include <string>

#include "runtime/text_screen.h"


// What screen_text shows for printed text that runs on across rows of 80.
inline std::string wrapped_rows(const std::string& printed) {
    std::string rows;
    for (std::size_t at = 0; at < printed.size(); at += screen_columns) {
        std::string row = printed.substr(at, screen_columns);
        row.erase(row.find_last_not_of(' ') + 1);
        rows += row + '\n';
    }
    return rows;
}

// n characters without blanks, commas or double quotes, each row of them
// distinguishable from the next.
inline std::string sample_text(std::size_t n) {
    const std::string alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string text;
    for (std::size_t i = 0; i < n; ++i) text += alphabet[i % alphabet.size()];
    return text;
}

inline std::string screen_now() { return screen_text(screen_snapshot()); }
