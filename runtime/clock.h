// The local date and time as the converter writes them.
#pragma once

#include <ctime>
#include <string>

// "MM-DD-YYYY"; empty text and error 5 when the clock cannot be read.
std::string date_text();
// "HH:MM:SS" (24-hour clock); empty text and error 5 likewise.
std::string time_text();

// Where the local time comes from: fills the broken-down time, or returns
// false when it cannot be read. The system clock unless a test sets another.
using ClockSource = bool (*)(std::tm& local_time);
void set_clock_source(ClockSource source);
