// The computer players of a run: once a frame, before the controls are read, each slot the
// computer steers thinks over what every player sees and holds its own left, right and fire
// keys. It holds them apart from the keyboard and the controllers, which do not reach its slot;
// it writes no player record, no heading and no stencil.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "core/settings.h"
#include "game/computer/brain.h"

struct ComputerPlayers {
    std::array<std::unique_ptr<Brain>, kSlotCount> brains;  // by slot, made at first need
    std::array<KeyChoice, kSlotCount> keys{};               // what each slot's computer holds
    std::vector<std::uint8_t> map;                          // the collision map, read once a frame
    std::vector<HeadView> others;
};

// Lets every computer player of the round choose its keys for the frame.
void thinkComputers(double frameTime);
