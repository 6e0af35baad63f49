// The one table from physical key positions (USB HID usage ids) to virtual-key codes.
#include <SDL.h>

#include <array>

#include "platform/platform.h"
#include "platform/virtual_keys.h"

namespace platform {
namespace {

struct KeyPair {
    SDL_Scancode scancode;
    std::uint8_t virtualKey;
};

constexpr KeyPair kNamedKeys[] = {
    {SDL_SCANCODE_BACKSPACE, vk::kBackspace},
    {SDL_SCANCODE_TAB, vk::kTab},
    {SDL_SCANCODE_RETURN, vk::kReturn},
    {SDL_SCANCODE_KP_ENTER, vk::kReturn},
    {SDL_SCANCODE_LSHIFT, vk::kShift},
    {SDL_SCANCODE_RSHIFT, vk::kShift},
    {SDL_SCANCODE_LCTRL, vk::kControl},
    {SDL_SCANCODE_RCTRL, vk::kControl},
    {SDL_SCANCODE_LALT, vk::kAlt},
    {SDL_SCANCODE_RALT, vk::kAlt},
    {SDL_SCANCODE_PAUSE, vk::kPause},
    {SDL_SCANCODE_CAPSLOCK, vk::kCapsLock},
    {SDL_SCANCODE_ESCAPE, vk::kEscape},
    {SDL_SCANCODE_SPACE, vk::kSpace},
    {SDL_SCANCODE_PAGEUP, vk::kPageUp},
    {SDL_SCANCODE_PAGEDOWN, vk::kPageDown},
    {SDL_SCANCODE_END, vk::kEnd},
    {SDL_SCANCODE_HOME, vk::kHome},
    {SDL_SCANCODE_LEFT, vk::kLeft},
    {SDL_SCANCODE_UP, vk::kUp},
    {SDL_SCANCODE_RIGHT, vk::kRight},
    {SDL_SCANCODE_DOWN, vk::kDown},
    {SDL_SCANCODE_PRINTSCREEN, vk::kPrintScreen},
    {SDL_SCANCODE_INSERT, vk::kInsert},
    {SDL_SCANCODE_DELETE, vk::kDelete},
    {SDL_SCANCODE_LGUI, vk::kLeftWindows},
    {SDL_SCANCODE_RGUI, vk::kRightWindows},
    {SDL_SCANCODE_APPLICATION, vk::kApplications},
    {SDL_SCANCODE_KP_MULTIPLY, vk::kKeypadMultiply},
    {SDL_SCANCODE_KP_PLUS, vk::kKeypadAdd},
    {SDL_SCANCODE_KP_MINUS, vk::kKeypadSubtract},
    {SDL_SCANCODE_KP_PERIOD, vk::kKeypadDecimal},
    {SDL_SCANCODE_KP_DIVIDE, vk::kKeypadDivide},
    {SDL_SCANCODE_NUMLOCKCLEAR, vk::kNumLock},
    {SDL_SCANCODE_SCROLLLOCK, vk::kScrollLock},
    {SDL_SCANCODE_SEMICOLON, vk::kSemicolon},
    {SDL_SCANCODE_EQUALS, vk::kEquals},
    {SDL_SCANCODE_COMMA, vk::kComma},
    {SDL_SCANCODE_MINUS, vk::kMinus},
    {SDL_SCANCODE_PERIOD, vk::kPeriod},
    {SDL_SCANCODE_SLASH, vk::kSlash},
    {SDL_SCANCODE_GRAVE, vk::kGrave},
    {SDL_SCANCODE_LEFTBRACKET, vk::kLeftBracket},
    {SDL_SCANCODE_BACKSLASH, vk::kBackslash},
    {SDL_SCANCODE_RIGHTBRACKET, vk::kRightBracket},
    {SDL_SCANCODE_APOSTROPHE, vk::kApostrophe},
    {SDL_SCANCODE_NONUSBACKSLASH, vk::kOem102},
};

std::array<std::uint8_t, SDL_NUM_SCANCODES> buildTable() {
    std::array<std::uint8_t, SDL_NUM_SCANCODES> table{};
    for (int i = 0; i < 26; ++i) table[SDL_SCANCODE_A + i] = static_cast<std::uint8_t>('A' + i);
    for (int i = 0; i < 9; ++i) table[SDL_SCANCODE_1 + i] = static_cast<std::uint8_t>('1' + i);
    table[SDL_SCANCODE_0] = '0';
    for (int i = 0; i < 9; ++i)
        table[SDL_SCANCODE_KP_1 + i] = static_cast<std::uint8_t>(vk::kKeypad0 + 1 + i);
    table[SDL_SCANCODE_KP_0] = vk::kKeypad0;
    for (int i = 0; i < 12; ++i)
        table[SDL_SCANCODE_F1 + i] = static_cast<std::uint8_t>(vk::kF1 + i);
    for (const KeyPair& pair : kNamedKeys) table[pair.scancode] = pair.virtualKey;
    return table;
}

}  // namespace

std::uint8_t virtualKeyForScancode(int scancode) {
    static const std::array<std::uint8_t, SDL_NUM_SCANCODES> table = buildTable();
    if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return 0;
    return table[static_cast<std::size_t>(scancode)];
}

}  // namespace platform
