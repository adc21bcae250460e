#include "front_ends/window/window_front_end.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

#include "front_ends/window/gl_surface.h"
#include "runtime/keyboard.h"
#include "front_ends/window/message_box_pixels.h"
#include "runtime/run_state.h"
#include "front_ends/window/screen_pixels.h"
#include "front_ends/window/window_keys.h"
#include "front_ends/window/x_display.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto frame_interval = std::chrono::milliseconds(16);
constexpr auto blink_half_period = std::chrono::milliseconds(267);
constexpr auto finish_wait = std::chrono::milliseconds(500);

// A box that a thread waits on; it lives on that thread's stack.
struct BoxRequest {
    std::string title;
    std::string text;
    bool yes_no = true;
    bool answered = false;
    BoxAnswer answer = BoxAnswer::yes;
};

// The box on the screen: its window, picture and focused button.
struct OpenBox {
    BoxRequest* request = nullptr;
    GlSurface surface;
    BoxLayout layout;
    PixelImage image;
    int focused = 0;
    int pressed = -1;
    // Chosen in a callback; the window goes after the events, since GLFW
    // destroys no window from within its own callbacks.
    std::optional<BoxButtonKind> choice;
};

bool cursor_phase_on() {
    const auto since = Clock::now().time_since_epoch();
    return (since / blink_half_period) % 2 == 0;
}

class WindowFrontEnd final : public FrontEnd {
public:
    bool open();
    void run_events() override;
    void show(const ScreenPicture& picture) override;
    BoxAnswer error_box(const std::string& title, const std::string& text) override;
    void critical_box(const std::string& title, const std::string& text) override;
    void finish(const ScreenPicture& picture) override;

    void on_key(GLFWwindow* window, int key, int action, int mods);
    void on_char(GLFWwindow* window, unsigned code_point);
    void on_close(GLFWwindow* window);
    void on_mouse_button(GLFWwindow* window, int button, int action);
    void on_refresh(GLFWwindow* window);
    void on_display_lost();

private:
    BoxAnswer ask(const std::string& title, const std::string& text, bool yes_no);
    bool on_event_thread() const { return std::this_thread::get_id() == event_thread; }
    void draw_frame();
    void open_next_box();
    void choose(BoxButtonKind kind) { if (!box.choice) box.choice = kind; }
    void answer_box(BoxButtonKind kind);
    void box_key(int key);
    void redraw_box();
    void check_windows();
    void close_windows();
    void release_boxes();

    GlSurface main_surface;
    std::thread::id event_thread = std::this_thread::get_id();

    // Frames: the main-loop thread renders, the event thread shows.
    std::mutex frame_mutex;
    PixelImage newest;               // under frame_mutex
    bool newest_is_fresh = false;    // under frame_mutex
    PixelImage rendering;            // main-loop thread
    uint64_t rendered_version = 0;
    bool rendered_cursor = false;
    bool rendered_any = false;
    PixelImage shown;                // event thread
    bool main_damaged = true;
    bool main_destroyed = false;     // event thread: by another program

    // Boxes: asked by any thread, shown one at a time by the event thread.
    std::mutex box_mutex;
    std::condition_variable box_answered;
    std::deque<BoxRequest*> box_queue;   // under box_mutex
    bool finish_requested = false;       // under box_mutex
    bool closed = false;                 // under box_mutex
    OpenBox box;                         // event thread
};

// The process's one window front end, for Xlib's handler of a lost
// display, which is given no data of its own.
WindowFrontEnd* running_window = nullptr;

void display_lost() { running_window->on_display_lost(); }

WindowFrontEnd& owner(GLFWwindow* window) {
    return *static_cast<WindowFrontEnd*>(glfwGetWindowUserPointer(window));
}

void attach_callbacks(GLFWwindow* window, WindowFrontEnd* front_end) {
    glfwSetWindowUserPointer(window, front_end);
    glfwSetInputMode(window, GLFW_LOCK_KEY_MODS, GLFW_TRUE);
    glfwSetKeyCallback(window, [](GLFWwindow* w, int key, int, int action, int mods) {
        owner(w).on_key(w, key, action, mods);
    });
    glfwSetCharCallback(window, [](GLFWwindow* w, unsigned code_point) { owner(w).on_char(w, code_point); });
    glfwSetWindowCloseCallback(window, [](GLFWwindow* w) { owner(w).on_close(w); });
    glfwSetMouseButtonCallback(window, [](GLFWwindow* w, int button, int action, int) {
        owner(w).on_mouse_button(w, button, action);
    });
    glfwSetWindowRefreshCallback(window, [](GLFWwindow* w) { owner(w).on_refresh(w); });
}

bool WindowFrontEnd::open() {
    if (!open_surface(main_surface, frame_width, frame_height, "Untitled", false, true)) return false;
    attach_callbacks(main_surface.window, this);
    shown.resize(frame_width, frame_height);
    present_surface(main_surface, shown, true);
    return true;
}

// The event loop: events, box requests, and a frame every 16 ms.
void WindowFrontEnd::run_events() {
    event_thread = std::this_thread::get_id();
    running_window = this;
    handle_x_errors(display_lost);
    auto next_frame = Clock::now();
    for (;;) {
        const auto wait = std::chrono::duration<double>(next_frame - Clock::now()).count();
        if (wait > 0) glfwWaitEventsTimeout(wait);
        else glfwPollEvents();
        {
            std::lock_guard lock(box_mutex);
            if (finish_requested) break;
        }
        if (box.request && box.choice) answer_box(*box.choice);
        if (!box.request) open_next_box();
        if (Clock::now() >= next_frame) {
            check_windows();
            draw_frame();
            next_frame = std::max(next_frame + frame_interval, Clock::now());
        }
    }
    close_windows();
}

void WindowFrontEnd::draw_frame() {
    bool fresh = false;
    {
        std::lock_guard lock(frame_mutex);
        if (newest_is_fresh) {
            std::swap(newest, shown);
            newest_is_fresh = false;
            fresh = true;
        }
    }
    if ((fresh || main_damaged) && !main_destroyed) present_surface(main_surface, shown, fresh);
    main_damaged = false;
}

// A window that another program has destroyed is closed: the main window
// makes the close request, a box counts as answered Yes (OK), as a box
// that cannot be shown.
void WindowFrontEnd::check_windows() {
    if (!main_destroyed && !window_exists(main_surface.window)) {
        main_destroyed = true;
        request_close();
    }
    if (box.request && !box.choice && !window_exists(box.surface.window))
        choose(box.request->yes_no ? BoxButtonKind::yes : BoxButtonKind::ok);
}

void WindowFrontEnd::show(const ScreenPicture& picture) {
    const bool cursor = picture.text_cursor_visible && cursor_phase_on();
    if (rendered_any && picture.version == rendered_version && cursor == rendered_cursor) return;
    render_screen(picture, cursor, rendering);
    rendered_any = true;
    rendered_version = picture.version;
    rendered_cursor = cursor;
    std::lock_guard lock(frame_mutex);
    std::swap(rendering, newest);
    newest_is_fresh = true;
}

BoxAnswer WindowFrontEnd::error_box(const std::string& title, const std::string& text) {
    return ask(title, text, true);
}

void WindowFrontEnd::critical_box(const std::string& title, const std::string& text) {
    ask(title, text, false);
}

// Hands the box to the event thread and waits for its answer.
BoxAnswer WindowFrontEnd::ask(const std::string& title, const std::string& text, bool yes_no) {
    if (on_event_thread()) return BoxAnswer::yes;   // the event thread cannot wait on itself
    BoxRequest request{title, text, yes_no};
    std::unique_lock lock(box_mutex);
    if (closed || finish_requested) return BoxAnswer::yes;
    box_queue.push_back(&request);   // the event thread takes it at its next turn
    box_answered.wait(lock, [&] { return request.answered; });
    return request.answer;
}

void WindowFrontEnd::finish(const ScreenPicture&) {
    if (on_event_thread()) {
        close_windows();
        return;
    }
    std::unique_lock lock(box_mutex);
    if (closed) return;
    finish_requested = true;
    box_answered.wait_for(lock, finish_wait, [&] { return closed; });
}

// The end: the windows go, every waiting box counts as Yes.
void WindowFrontEnd::close_windows() {
    close_surface(box.surface);
    close_surface(main_surface);
    glfwTerminate();
    release_boxes();
}

void WindowFrontEnd::release_boxes() {
    std::lock_guard lock(box_mutex);
    for (BoxRequest* request : box_queue) request->answered = true;
    box_queue.clear();
    box.request = nullptr;
    closed = true;
    box_answered.notify_all();
}

// The display is gone, as a terminal that hangs up: nobody can answer a
// box any more, and the run ends as when the window is closed. Nothing
// touches the display or OpenGL after this.
void WindowFrontEnd::on_display_lost() {
    release_boxes();
    request_close();
}

void WindowFrontEnd::open_next_box() {
    {
        std::lock_guard lock(box_mutex);
        if (box_queue.empty()) return;
        box.request = box_queue.front();
    }
    box.layout = layout_box(box.request->text, box.request->yes_no);
    box.focused = 0;
    box.pressed = -1;
    box.choice.reset();
    const bool opened =
        open_surface(box.surface, box.layout.width, box.layout.height, box.request->title.c_str(), true, false);
    handle_x_errors(display_lost);
    if (!opened) {
        answer_box(BoxButtonKind::yes);   // a box that cannot be shown counts as Yes
        return;
    }
    attach_callbacks(box.surface.window, this);
    int x = 0, y = 0;
    glfwGetWindowPos(main_surface.window, &x, &y);
    glfwSetWindowPos(box.surface.window, x + (frame_width - box.layout.width) / 2,
                     y + (frame_height - box.layout.height) / 2);
    glfwShowWindow(box.surface.window);
    redraw_box();
}

void WindowFrontEnd::answer_box(BoxButtonKind kind) {
    close_surface(box.surface);
    if (main_surface.window) glfwFocusWindow(main_surface.window);
    main_damaged = true;
    std::lock_guard lock(box_mutex);
    box.request->answer = kind == BoxButtonKind::no ? BoxAnswer::no : BoxAnswer::yes;
    box.request->answered = true;
    box_queue.pop_front();
    box.request = nullptr;
    box_answered.notify_all();
}

void WindowFrontEnd::redraw_box() {
    render_box(box.layout, box.focused, box.image);
    present_surface(box.surface, box.image, true);
}

void WindowFrontEnd::box_key(int key) {
    if (box.choice) return;
    const int buttons = static_cast<int>(box.layout.buttons.size());
    switch (box_key_action(key, box.request->yes_no)) {
    case BoxKeyAction::yes: choose(BoxButtonKind::yes); break;
    case BoxKeyAction::no: choose(BoxButtonKind::no); break;
    case BoxKeyAction::ok: choose(BoxButtonKind::ok); break;
    case BoxKeyAction::press_focused: choose(box.layout.buttons[box.focused].kind); break;
    case BoxKeyAction::next_button:
        box.focused = (box.focused + 1) % buttons;
        redraw_box();
        break;
    case BoxKeyAction::nothing: break;
    }
}

// While a box is open it takes every key, from either window.
void WindowFrontEnd::on_key(GLFWwindow*, int key, int action, int mods) {
    if (box.request) {
        if (action == GLFW_PRESS) box_key(key);
        return;
    }
    if (action == GLFW_RELEASE) return;
    const WindowKeyAction what = window_key_action(key, mods);
    switch (what.kind) {
    case WindowKeyAction::Kind::key: key_press(what.key); break;
    case WindowKeyAction::Kind::pause: if (action == GLFW_PRESS) press_pause(); break;
    case WindowKeyAction::Kind::ctrl_break: if (action == GLFW_PRESS) request_exit(); break;
    case WindowKeyAction::Kind::nothing: break;
    }
}

void WindowFrontEnd::on_char(GLFWwindow*, unsigned code_point) {
    if (box.request) return;
    if (const auto key = window_char_key(code_point)) key_press(*key);
}

// The main window's close button makes the close request; a Yes/No box
// cannot be closed, only answered.
void WindowFrontEnd::on_close(GLFWwindow* window) {
    glfwSetWindowShouldClose(window, GLFW_FALSE);
    if (window == main_surface.window) request_close();
    else if (box.request && !box.request->yes_no) choose(BoxButtonKind::ok);
}

void WindowFrontEnd::on_mouse_button(GLFWwindow* window, int button, int action) {
    if (window != box.surface.window || button != GLFW_MOUSE_BUTTON_LEFT || box.choice) return;
    double x = 0, y = 0;
    glfwGetCursorPos(window, &x, &y);
    const int under = button_at(box.layout, static_cast<int>(x), static_cast<int>(y));
    if (action == GLFW_PRESS) {
        box.pressed = under;
        if (under >= 0 && under != box.focused) {
            box.focused = under;
            redraw_box();
        }
    } else if (under >= 0 && under == box.pressed) {
        choose(box.layout.buttons[under].kind);
    }
}

void WindowFrontEnd::on_refresh(GLFWwindow* window) {
    if (window == main_surface.window) main_damaged = true;
    else if (box.request && window == box.surface.window) present_surface(box.surface, box.image, false);
}

}  // namespace

FrontEnd* open_window_front_end() {
    if (!glfwInit()) return nullptr;
    auto* front_end = new WindowFrontEnd;   // lives until the process ends
    if (!front_end->open()) {
        delete front_end;
        glfwTerminate();
        return nullptr;
    }
    return front_end;
}
