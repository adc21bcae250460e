// The one small interface behind which the scripted, terminal and window
// front ends show the screen, collect keys and show the error box.
#pragma once

#include <string>

#include "runtime/screen_picture.h"

enum class BoxAnswer { yes, no };

class FrontEnd {
public:
    virtual ~FrontEnd() = default;
    // Runs on the thread that started the process: collects keys (and for
    // the window, runs the event loop). May return at once when the front
    // end has a thread of its own for that.
    virtual void run_events() = 0;
    // Called by the main-loop thread about 30 times a second.
    virtual void show(const ScreenPicture& picture) = 0;
    // Blocks the calling (program) thread until answered; a box that
    // cannot be shown answers yes.
    virtual BoxAnswer error_box(const std::string& title, const std::string& text) = 0;
    // A critical box with an OK button; returns once closed.
    virtual void critical_box(const std::string& title, const std::string& text) = 0;
    // The process is ending: restore the terminal, write the screen, ...
    virtual void finish(const ScreenPicture& picture) = 0;
};

// The running front end; set once at start.
void set_front_end(FrontEnd* front_end);
FrontEnd& front_end();
