// The controls of a game controller as the platform reports them: buttons and axes numbered by
// their place on a standard controller, as SDL's game-controller layout numbers them. The
// platform reports every one of them; what they mean is the game's business.
#pragma once

namespace platform {

// Buttons by place: south is the bottom face button (A on Xbox-style controllers), whatever its
// label. Numbers from 15 on are extra buttons some controllers have (share, paddles, touchpad).
enum class PadButton {
    south = 0,
    east = 1,
    west = 2,
    north = 3,
    back = 4,
    guide = 5,
    start = 6,
    leftStick = 7,
    rightStick = 8,
    leftShoulder = 9,
    rightShoulder = 10,
    dpadUp = 11,
    dpadDown = 12,
    dpadLeft = 13,
    dpadRight = 14,
};

// Axes: the sticks from -32768 to 32767 (x from left to right, y from top to bottom), the
// triggers from 0 (resting) to 32767.
enum class PadAxis {
    leftX = 0,
    leftY = 1,
    rightX = 2,
    rightY = 3,
    leftTrigger = 4,
    rightTrigger = 5,
};

}  // namespace platform
