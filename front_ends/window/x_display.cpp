#include "front_ends/window/x_display.h"

#include <chrono>
#include <thread>

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>

namespace {

void (*lost_callback)() = nullptr;

int pass_over_error(Display*, XErrorEvent*) { return 0; }

int on_connection_lost(Display*) {
    if (lost_callback) lost_callback();
    for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
}

}  // namespace

void handle_x_errors(void (*display_lost)()) {
    lost_callback = display_lost;
    XSetErrorHandler(pass_over_error);
    XSetIOErrorHandler(on_connection_lost);
}

bool window_exists(GLFWwindow* window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(glfwGetX11Display(), glfwGetX11Window(window), &attributes) != 0;
}
