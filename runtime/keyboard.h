// The keyboard buffer: front ends put keys in, the line input, the
// end-of-run wait and the scripted error box take them out.
#pragma once

#include <chrono>
#include <cstdint>

struct Key {
    uint8_t code = 0;        // character code; 0 for a two-code key
    uint8_t scan = 0;        // second code of a two-code key (arrows, F-keys, ...)
    bool two_code() const { return code == 0; }
};

// A key press from a front end. When the pause flag is set the key only
// clears it and is discarded.
void key_press(Key key);
// Takes the oldest key; false when the buffer is empty.
bool key_take(Key& key);
// Discards every waiting key.
void key_discard_all();
// The key source has ended (the scripted front end's standard input).
void keyboard_mark_ended();
bool keyboard_ended();
// How a wait looks at the buffer: every period, with or without a pause
// before the first look, and whether the stop request ends it.
struct KeyWatch {
    std::chrono::milliseconds period;
    bool pause_first;
    bool ends_on_stop;
};

enum class KeyWait { key, stopped, input_ended };

// Waits until a key can be taken (into key), the stop request is seen
// (when the watch ends on it), or the key source has ended with no key
// left, so that none can come.
KeyWait wait_for_key(Key& key, const KeyWatch& watch);

// Back to an empty buffer whose source has not ended (tests).
void keyboard_reset();
