#include "front_ends/window/gl_surface.h"

#define GLFW_INCLUDE_NONE
#include <GL/gl.h>
#include <GLFW/glfw3.h>

bool open_surface(GlSurface& surface, int width, int height, const char* title, bool floating, bool visible) {
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    glfwWindowHint(GLFW_FLOATING, floating ? GLFW_TRUE : GLFW_FALSE);
    glfwWindowHint(GLFW_VISIBLE, visible ? GLFW_TRUE : GLFW_FALSE);
    glfwWindowHint(GLFW_FOCUSED, GLFW_TRUE);
    surface.window = glfwCreateWindow(width, height, title, nullptr, nullptr);
    if (!surface.window) return false;
    glfwMakeContextCurrent(surface.window);
    glfwSwapInterval(0);   // two windows share the thread: never wait for a vertical retrace
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    surface.texture = texture;
    return true;
}

void close_surface(GlSurface& surface) {
    if (!surface.window) return;
    glfwDestroyWindow(surface.window);
    surface = {};
}

void present_surface(GlSurface& surface, const PixelImage& image, bool upload) {
    glfwMakeContextCurrent(surface.window);
    int width = 0, height = 0;
    glfwGetFramebufferSize(surface.window, &width, &height);
    glViewport(0, 0, width, height);
    glBindTexture(GL_TEXTURE_2D, surface.texture);
    if (upload)
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     image.bytes.data());
    glEnable(GL_TEXTURE_2D);
    // The image's first row is texture row 0; it goes to the top.
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1); glVertex2f(-1, -1);
    glTexCoord2f(1, 1); glVertex2f(1, -1);
    glTexCoord2f(1, 0); glVertex2f(1, 1);
    glTexCoord2f(0, 0); glVertex2f(-1, 1);
    glEnd();
    glfwSwapBuffers(surface.window);
}
