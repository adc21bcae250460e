// The keyboard buffer: front ends put keys in, the line input, the
// end-of-run wait and the scripted error box take them out.
#pragma once

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
// Back to an empty buffer whose source has not ended (tests).
void keyboard_reset();
