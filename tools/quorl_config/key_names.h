// The names of the players' keys, as the settings tool shows them beside each slot.
#pragma once

#include <cstdint>
#include <string>

// The name of a virtual-key code ("Left arrow", "keypad /", "Page Up", "I"); a code without a
// name is shown as "key 0xHH".
std::string slotKeyName(std::uint8_t code);

// The slot's keys (left, right, fire), for reference.
std::string slotKeysText(int slot);
