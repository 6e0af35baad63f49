// What the scenes keep for the whole run, and the SPACE press they share.
#pragma once

#include <cstdint>

#include "gfx/texture_manager.h"

// The scenes a frame can run.
constexpr std::uint16_t kIntroScene = 0;
constexpr std::uint16_t kGameScene = 1;
constexpr std::uint16_t kIdleScene = 2;  // frames run and draw nothing

struct SceneState {
    // The scene the next frame runs; the intro hands over to the game.
    std::uint16_t scene = kIntroScene;
    // Rounds started so far; raised by every round start, never lowered.
    std::uint16_t roundCounter = 0;
    // 1 from the frame in which SPACE was acted upon until SPACE is released.
    std::uint8_t spaceLatch = 0;
    // The intro: milliseconds into the current cycle and the vertical offset of the logo picture.
    double introClock = 0.0;
    double introScroll = 0.0;
    // The two intro logos, loaded once at start-up.
    TextureId wideLogoTexture = 0;
    TextureId squareLogoTexture = 0;
};

// True once per SPACE press: when SPACE is down and the latch was open (the latch then closes).
bool freshSpacePress();
