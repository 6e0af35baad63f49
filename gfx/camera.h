// The projections for the window's client area and the view transform of the one camera.
#pragma once

#include <cstdint>

enum ProjectionMode : std::int32_t { orthographic = 0, perspective = 1 };

struct Camera {
    double positionX = 0.0;
    double positionY = 0.0;
    double positionZ = 0.0;
    double angleX = 0.0;
    double angleY = 0.0;
    double angleZ = 0.0;
    std::int32_t projectionMode = orthographic;
};

// One unit per pixel, origin at the bottom left, y up.
void setOrthographicProjection(std::uint32_t width, std::uint32_t height);
void setPerspectiveProjection(double fieldOfView, std::uint32_t width, std::uint32_t height);

// Records a new client size as the viewport and re-applies the camera's projection for it.
void resizeProjection(std::uint32_t width, std::uint32_t height);

// Multiplies the camera's view transform onto the current matrix.
void applyCamera();
