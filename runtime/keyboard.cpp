#include "runtime/keyboard.h"

#include <atomic>
#include <deque>
#include <mutex>
#include <thread>

#include "runtime/run_state.h"

namespace {

std::mutex keys_mutex;
std::deque<Key> keys;
std::atomic<bool> source_ended{false};

}  // namespace

void key_press(Key key) {
    if (release_pause()) return;   // the key only ends the pause
    std::lock_guard lock(keys_mutex);
    keys.push_back(key);
}

bool key_take(Key& key) {
    std::lock_guard lock(keys_mutex);
    if (keys.empty()) return false;
    key = keys.front();
    keys.pop_front();
    return true;
}

void key_discard_all() {
    std::lock_guard lock(keys_mutex);
    keys.clear();
}

void keyboard_mark_ended() {
    source_ended.store(true, std::memory_order_release);
}

bool keyboard_ended() {
    return source_ended.load(std::memory_order_acquire);
}

KeyWait wait_for_key(Key& key, const KeyWatch& watch) {
    if (watch.pause_first) std::this_thread::sleep_for(watch.period);
    for (;;) {
        if (watch.ends_on_stop && stop_requested()) return KeyWait::stopped;
        const bool ended = keyboard_ended();   // read first: keys come before the end mark
        if (key_take(key)) return KeyWait::key;
        if (ended) return KeyWait::input_ended;
        std::this_thread::sleep_for(watch.period);
    }
}

void keyboard_reset() {
    key_discard_all();
    source_ended.store(false, std::memory_order_release);
}
