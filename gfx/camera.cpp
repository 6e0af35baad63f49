// Orthographic and perspective set-up, window resizes and the camera's view transform.
#include "gfx/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "core/text_error.h"
#include "gfx/angles.h"
#include "gfx/gfx.h"

namespace {

void finishProjection(std::uint32_t width, std::uint32_t height) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glViewport(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
}

// The inverse of the camera orientation Ry(angleY) * Rz(angleZ) * Rx(angleX).
void multiplyRotation(const Camera& cam) {
    const double a = radians(cam.angleX);
    const double b = radians(cam.angleY);
    const double c = radians(cam.angleZ);
    const double sa = std::sin(a), ca = std::cos(a);
    const double sb = std::sin(b), cb = std::cos(b);
    const double sc = std::sin(c), cc = std::cos(c);
    // Column by column, as OpenGL expects.
    const GLdouble m[16] = {
        cb * cc,  sa * sb - ca * cb * sc, sa * cb * sc + ca * sb, 0.0, sc,  ca * cc, -sa * cc, 0.0,
        -sb * cc, ca * sb * sc + sa * cb, ca * cb - sa * sb * sc, 0.0, 0.0, 0.0,     0.0,      1.0,
    };
    glMultMatrixd(m);
}

}  // namespace

void setOrthographicProjection(std::uint32_t width, std::uint32_t height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, 5.0, -10.0);
    finishProjection(width, height);
    glDisable(GL_DEPTH_TEST);
}

void setPerspectiveProjection(double fieldOfView, std::uint32_t width, std::uint32_t height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, static_cast<double>(width) / static_cast<double>(height),
                   static_cast<double>(0.1f), 10000.0);
    finishProjection(width, height);
    glEnable(GL_DEPTH_TEST);
}

void resizeProjection(std::uint32_t width, std::uint32_t height) {
    if (height == 0) height = 1;
    gfx->viewport = {static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
    const Camera* camera = gfx->camera;
    if (camera == nullptr) return;
    // A minimised window reports a zero width: there is nothing to project onto, and an
    // empty orthographic box would leave a GL error pending. The next size restores it.
    if (width == 0) return;
    switch (camera->projectionMode) {
        case orthographic:
            setOrthographicProjection(width, height);
            break;
        case perspective:
            setPerspectiveProjection(45.0, width, height);
            break;
        default:
            raiseTextError("Invalid Projection Mode");
    }
}

void applyCamera() {
    const Camera* camera = gfx->camera;
    switch (camera->projectionMode) {
        case orthographic:
            glTranslated(-camera->positionX, -camera->positionY, 0.0);
            break;
        case perspective:
            multiplyRotation(*camera);
            glTranslated(-camera->positionX, -camera->positionY, -camera->positionZ);
            break;
        default:
            break;
    }
}
