// The picture's framebuffer object and its scaled copy into the window.
#include "gfx/offscreen.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "core/picture_fit.h"
#include "gfx/gfx.h"

namespace {

struct Offscreen {
    PFNGLGENFRAMEBUFFERSEXTPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSEXTPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFEREXTPROC bindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSEXTPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSEXTPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFEREXTPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEEXTPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC checkFramebufferStatus = nullptr;
    PFNGLBLITFRAMEBUFFEREXTPROC blitFramebuffer = nullptr;
    GLuint framebuffer = 0;
    GLuint colour = 0;
    GLuint depthStencil = 0;
};

Offscreen offscreen;

template <typename Function>
bool lookUp(GlFunctionLookup lookup, const char* name, Function& out) {
    out = reinterpret_cast<Function>(lookup(name));
    return out != nullptr;
}

bool lookUpAll(GlFunctionLookup lookup) {
    Offscreen& o = offscreen;
    return lookUp(lookup, "glGenFramebuffersEXT", o.genFramebuffers) &&
           lookUp(lookup, "glDeleteFramebuffersEXT", o.deleteFramebuffers) &&
           lookUp(lookup, "glBindFramebufferEXT", o.bindFramebuffer) &&
           lookUp(lookup, "glGenRenderbuffersEXT", o.genRenderbuffers) &&
           lookUp(lookup, "glDeleteRenderbuffersEXT", o.deleteRenderbuffers) &&
           lookUp(lookup, "glBindRenderbufferEXT", o.bindRenderbuffer) &&
           lookUp(lookup, "glRenderbufferStorageEXT", o.renderbufferStorage) &&
           lookUp(lookup, "glFramebufferRenderbufferEXT", o.framebufferRenderbuffer) &&
           lookUp(lookup, "glCheckFramebufferStatusEXT", o.checkFramebufferStatus) &&
           lookUp(lookup, "glBlitFramebufferEXT", o.blitFramebuffer);
}

GLuint makeRenderbuffer(GLenum format) {
    GLuint buffer = 0;
    offscreen.genRenderbuffers(1, &buffer);
    offscreen.bindRenderbuffer(GL_RENDERBUFFER_EXT, buffer);
    offscreen.renderbufferStorage(GL_RENDERBUFFER_EXT, format, kScreenWidth, kScreenHeight);
    return buffer;
}

}  // namespace

bool openOffscreen(GlFunctionLookup lookup, std::string& error) {
    if (!lookUpAll(lookup)) {
        offscreen = Offscreen{};
        error = "the context names framebuffer objects but lacks their functions";
        return false;
    }
    Offscreen& o = offscreen;
    o.colour = makeRenderbuffer(GL_RGBA8);
    o.depthStencil = makeRenderbuffer(GL_DEPTH24_STENCIL8_EXT);
    o.genFramebuffers(1, &o.framebuffer);
    o.bindFramebuffer(GL_FRAMEBUFFER_EXT, o.framebuffer);
    o.framebufferRenderbuffer(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT,
                              o.colour);
    o.framebufferRenderbuffer(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                              o.depthStencil);
    o.framebufferRenderbuffer(GL_FRAMEBUFFER_EXT, GL_STENCIL_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                              o.depthStencil);
    if (o.checkFramebufferStatus(GL_FRAMEBUFFER_EXT) != GL_FRAMEBUFFER_COMPLETE_EXT) {
        closeOffscreen();
        error = "the framebuffer with a packed depth and stencil buffer is incomplete";
        return false;
    }
    // A fresh window's buffers start cleared; so do the picture's.
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    return true;
}

bool offscreenOpen() {
    return offscreen.framebuffer != 0;
}

void presentOffscreen(int width, int height) {
    const Offscreen& o = offscreen;
    if (o.framebuffer == 0 || width <= 0 || height <= 0) return;
    const PictureRect place = placePicture(kScreenWidth, kScreenHeight, width, height);
    o.bindFramebuffer(GL_DRAW_FRAMEBUFFER_EXT, 0);
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT);
    glDisable(GL_SCISSOR_TEST);
    // Only a border needs clearing: where the picture covers the drawable, the copy writes
    // every pixel, and on a software rasteriser a clear is a pass over the whole window.
    if (place.width != width || place.height != height) {
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    // A whole multiple of the picture copies each pixel into a square of pixels, for sharp
    // edges; any other size is filtered.
    const bool whole = place.width % kScreenWidth == 0 && place.height % kScreenHeight == 0;
    o.blitFramebuffer(0, 0, kScreenWidth, kScreenHeight, place.x, place.y, place.x + place.width,
                      place.y + place.height, GL_COLOR_BUFFER_BIT, whole ? GL_NEAREST : GL_LINEAR);
    glPopAttrib();
    o.bindFramebuffer(GL_FRAMEBUFFER_EXT, o.framebuffer);
}

void closeOffscreen() {
    Offscreen& o = offscreen;
    if (o.framebuffer != 0) {
        o.bindFramebuffer(GL_FRAMEBUFFER_EXT, 0);
        o.deleteFramebuffers(1, &o.framebuffer);
    }
    if (o.colour != 0) o.deleteRenderbuffers(1, &o.colour);
    if (o.depthStencil != 0) o.deleteRenderbuffers(1, &o.depthStencil);
    o = Offscreen{};
}
