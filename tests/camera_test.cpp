// Projections and the camera's view transform, read back from the GL matrices.
#include "gfx/camera.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "app/context.h"
#include "core/text_error.h"
#include "tests/support.h"

namespace {

using Matrix = std::array<GLdouble, 16>;

Matrix matrix(GLenum which) {
    Matrix m{};
    glGetDoublev(which, m.data());
    return m;
}

// The camera's view transform alone.
Matrix view() {
    glLoadIdentity();
    applyCamera();
    return matrix(GL_MODELVIEW_MATRIX);
}

void expectMatrix(const Matrix& actual, const Matrix& expected) {
    // GL keeps its matrices in single precision.
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-6) << "element " << i;
}

const Matrix kIdentity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// A projection leaves an identity model-view matrix selected.
void expectFreshModelView() {
    expectMatrix(matrix(GL_MODELVIEW_MATRIX), kIdentity);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

}  // namespace

using Projection = GlTest;

TEST_F(Projection, OrthographicIsOneUnitPerPixelFromTheBottomLeft) {
    setOrthographicProjection(1024, 768);
    // glOrtho(0, 1024, 0, 768, 5, -10): depth runs from z = -5 to z = +10 in eye space.
    expectMatrix(matrix(GL_PROJECTION_MATRIX),
                 {2.0 / 1024, 0, 0, 0, 0, 2.0 / 768, 0, 0, 0, 0, 2.0 / 15, 0, -1, -1, -1.0 / 3, 1});
    expectFreshModelView();
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(Projection, PerspectiveHasA45DegreeFieldOfView) {
    setPerspectiveProjection(45.0, 1024, 768);
    const Matrix p = matrix(GL_PROJECTION_MATRIX);
    const double f = 1.0 / std::tan(22.5 * 3.141592653589793 / 180.0);
    EXPECT_NEAR(p[0], f / (1024.0 / 768.0), 1e-6);
    EXPECT_NEAR(p[5], f, 1e-6);
    EXPECT_NEAR(p[11], -1.0, 1e-9);
    expectFreshModelView();
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(Projection, ResizeFollowsTheCamerasModeAndRejectsUnknownOnes) {
    gfx->camera->projectionMode = perspective;
    resizeProjection(800, 600);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    gfx->camera->projectionMode = 7;
    try {
        resizeProjection(800, 600);
        FAIL() << "no error";
    } catch (const TextError& error) {
        EXPECT_STREQ(error.text, "Invalid Projection Mode");
    }
}

TEST_F(Projection, OrthographicCameraTranslatesInThePlaneOnly) {
    expectMatrix(view(), kIdentity);
    *gfx->camera = Camera{10, 20, 30};
    expectMatrix(view(), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -10, -20, 0, 1});
}

TEST_F(Projection, PerspectiveCameraRotatesThenTranslates) {
    gfx->camera->projectionMode = perspective;
    gfx->camera->positionX = 1;
    gfx->camera->positionY = 2;
    gfx->camera->positionZ = 3;
    expectMatrix(view(), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -1, -2, -3, 1});

    gfx->camera->positionX = gfx->camera->positionY = gfx->camera->positionZ = 0;
    gfx->camera->angleZ = 90;
    // The x axis maps onto -y (row 1, column 0) and the y axis onto x (row 0, column 1).
    expectMatrix(view(), {0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});

    gfx->camera->projectionMode = 9;  // unknown modes leave the matrix alone
    expectMatrix(view(), kIdentity);
}
