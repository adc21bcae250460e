// Waiting in tests: for what a test checks, up to a generous limit, and,
// for a check that something does not happen, throughout a settle time.
#pragma once

#include <chrono>
#include <thread>

// Long enough for a loaded machine running every test at once; a test
// fails only when what it waits for has not come by then.
inline constexpr std::chrono::seconds generous_limit{60};

// How long a check that something does not happen watches for it. Too short
// a time can only let a fault pass, never fail a sound program.
inline constexpr std::chrono::milliseconds settle_time{1000};

inline constexpr std::chrono::milliseconds poll_period{5};

// Polls condition until it holds (true) or the limit passes (false).
template <typename Condition>
bool wait_until(Condition condition, std::chrono::steady_clock::duration limit = generous_limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(poll_period);
    }
    return true;
}

// Polls condition throughout the time; false as soon as it fails.
template <typename Condition>
bool holds_throughout(Condition condition, std::chrono::steady_clock::duration time = settle_time) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        if (!condition()) return false;
        std::this_thread::sleep_for(poll_period);
    }
    return condition();
}
