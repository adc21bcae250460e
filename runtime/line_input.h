// Line input from the keyboard buffer into one text target.
#pragma once

#include <string>

// Reads one line into target and ends the row. Returns false, leaving
// target unchanged, when the program is being stopped while it waits.
bool input_statement(std::string& target);
