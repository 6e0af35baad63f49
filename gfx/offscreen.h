// The picture the game draws, kept in a framebuffer object of the picture's own size with a
// stencil of its own, apart from the window: every pixel, stencil read and screenshot is the
// same whatever the window's size, and each shown frame is the picture scaled into the window.
#pragma once

#include <string>

// Looks up a GL function of the current context by name; null when it has none.
using GlFunctionLookup = void* (*)(const char* name);

// Makes the framebuffer and draws into it from now on; false with the reason when the context
// cannot (the caller checks the extensions GL_EXT_framebuffer_object, GL_EXT_framebuffer_blit
// and GL_EXT_packed_depth_stencil first).
bool openOffscreen(GlFunctionLookup lookup, std::string& error);

// True while the game draws into the framebuffer.
bool offscreenOpen();

// Copies the picture into the window's drawable of `width` x `height`, scaled with its aspect
// kept and the border black, ready for the swap; then draws into the picture again. Nothing
// for an empty drawable (a minimised window).
void presentOffscreen(int width, int height);

// Deletes the framebuffer; the GL context must still be current.
void closeOffscreen();
