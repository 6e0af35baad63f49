// The graphics layer's state for one run: the texture table, the camera and the viewport the
// projection was last set for, reached through one pointer.
#pragma once

#include <cstdint>

#include "gfx/camera.h"
#include "gfx/texture_manager.h"

// The picture the game draws: the arena on the left, the score panel to its right.
constexpr std::int32_t kScreenWidth = 1024;
constexpr std::int32_t kScreenHeight = 768;

// The client size the projection was last set up for.
struct Viewport {
    std::int32_t width = kScreenWidth;
    std::int32_t height = kScreenHeight;
};

struct Gfx {
    TextureTable textures;
    Camera* camera = nullptr;  // made by start-up; a resize before it exists records the size only
    Viewport viewport;

    Gfx() = default;
    Gfx(const Gfx&) = delete;
    Gfx& operator=(const Gfx&) = delete;
    // Deletes the camera, every texture and the picture's framebuffer; the GL context must still
    // be current.
    ~Gfx();
};

// The graphics state in use; whoever makes a Gfx points this at it.
extern Gfx* gfx;
