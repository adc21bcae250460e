#include "runtime/clock.h"

#include <cstdio>

#include "runtime/run_state.h"
#include "runtime/runtime_errors.h"

namespace {

bool system_local_time(std::tm& local_time) {
    const std::time_t now = std::time(nullptr);
    return now != static_cast<std::time_t>(-1) && localtime_r(&now, &local_time) != nullptr;
}

ClockSource clock_source = system_local_time;

// Formats three parts as two digits (the year as four) joined by separator.
std::string join_parts(int first, int second, int third, char separator, int third_width) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d%c%02d%c%0*d", first, separator, second, separator,
                  third_width, third);
    return text;
}

}  // namespace

void set_clock_source(ClockSource source) { clock_source = source ? source : system_local_time; }

std::string date_text() {
    std::tm local_time{};
    if (!clock_source(local_time)) {
        raise_runtime_error(error_illegal_function_call);
        return "";
    }
    return join_parts(local_time.tm_mon + 1, local_time.tm_mday, local_time.tm_year + 1900, '-', 4);
}

std::string time_text() {
    std::tm local_time{};
    if (!clock_source(local_time)) {
        raise_runtime_error(error_illegal_function_call);
        return "";
    }
    return join_parts(local_time.tm_hour, local_time.tm_min, local_time.tm_sec, ':', 2);
}
