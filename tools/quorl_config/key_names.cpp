// The names of the players' keys, derived from the game's own slot key table.
#include "tools/quorl_config/key_names.h"

#include <cstdio>

#include "game/players/slot_keys.h"

namespace {

struct KeyName {
    std::uint8_t code;
    const char* name;
};

// The keys of the slots that are neither letters nor digits.
constexpr KeyName kKeyNames[] = {
    {vk::kLeft, "Left arrow"},
    {vk::kRight, "Right arrow"},
    {vk::kUp, "Up arrow"},
    {vk::kKeypadDivide, "keypad /"},
    {vk::kKeypadSubtract, "keypad -"},
    {vk::kKeypadMultiply, "keypad *"},
    {vk::kInsert, "Insert"},
    {vk::kPageUp, "Page Up"},
    {vk::kHome, "Home"},
};

}  // namespace

std::string slotKeyName(std::uint8_t code) {
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
        return std::string(1, static_cast<char>(code));
    }
    for (const KeyName& key : kKeyNames) {
        if (key.code == code) return key.name;
    }
    char text[16];
    std::snprintf(text, sizeof text, "key 0x%02X", code);
    return text;
}

std::string slotKeysText(int slot) {
    const SlotKeys& keys = kSlotKeys[slot];
    return "left " + slotKeyName(keys.left) + ", right " + slotKeyName(keys.right) + ", fire " +
           slotKeyName(keys.fire);
}
