// A GLFW window whose OpenGL context shows one pixel image, scaled to the
// window's framebuffer. Used on the event thread only.
#pragma once

#include "front_ends/window/screen_pixels.h"

struct GLFWwindow;

struct GlSurface {
    GLFWwindow* window = nullptr;
    unsigned texture = 0;
};

// A window of the given size in pixels; false when it cannot be made.
// Hidden windows are shown later with glfwShowWindow.
bool open_surface(GlSurface& surface, int width, int height, const char* title, bool floating, bool visible);
void close_surface(GlSurface& surface);
// Draws the image; upload sends it to the texture first.
void present_surface(GlSurface& surface, const PixelImage& image, bool upload);
