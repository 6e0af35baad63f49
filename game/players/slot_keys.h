// The fixed keys of the six player slots, as virtual-key codes. Free of SDL and GL so that the
// settings tool names the same keys the game reads.
#pragma once

#include "app/settings.h"
#include "platform/platform.h"
#include "platform/virtual_keys.h"

using SlotKeys = platform::SlotKeys;

inline constexpr SlotKeys kSlotKeys[kSlotCount] = {
    {vk::kLeft, vk::kRight, vk::kUp},
    {vk::kKeypadDivide, vk::kKeypadSubtract, vk::kKeypadMultiply},
    {vk::kInsert, vk::kPageUp, vk::kHome},
    {'I', 'P', 'O'},
    {'V', 'N', 'B'},
    {'Q', 'E', 'W'},
};
