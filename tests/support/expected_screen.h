// The screens the program shows, row by row as the screen text gives them
// (trailing blanks dropped); index n is row n, index 0 is unused.
#pragma once

#include <string>
#include <vector>

// Rows 1 to 10 once the program waits for the STL name.
inline const std::vector<std::string> banner_rows = {
    "",
    "",
    "Software by Zorvin Quarn stlwire@example.com",
    "Input files and output files must be 8 character prefix and",
    "3 character suffix (DOS standard).",
    " Beta software use at your own risk.",
    "",
    " STL to IGES wire frame Utility",
    "",
    "",
    " ENTER STL (.STL) file:",
};

// Row 25 at the end of a run.
inline const std::string end_prompt = "Press any key to continue";

// All 25 rows at the end-of-run prompt of a complete run whose names, as
// typed, fit their rows.
inline std::vector<std::string> done_screen(const std::string& stl, const std::string& igs) {
    std::vector<std::string> rows = banner_rows;
    for (const std::string& row : {"? " + stl, std::string(" ENTER IGES (.igs) file (output):"), "? " + igs,
                                   std::string(), std::string(), " " + stl + " > " + igs, std::string(),
                                   std::string(" Done!")})
        rows.push_back(row);
    rows.resize(25, "");
    rows.push_back(end_prompt);
    return rows;
}
