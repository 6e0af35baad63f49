// The keys the game reads, in one table: each key's virtual-key code, its name and its place on
// the keyboard (a USB HID usage id, as the platform's scancodes are). Letters and digits are
// their own upper-case ASCII codes ('A' to 'Z', '0' to '9') and named by their character.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Each key other than the letters and digits: the name of its code's constant, the code, the
// key's name in the keys file and in messages, and the usage ids of the places it has on the
// keyboard (0 for none). Listed in the order `quorl-config keys --list` prints them.
#define QUORL_NAMED_KEYS(X)                         \
    X(kLeft, 0x25, "Left arrow", 80, 0)             \
    X(kRight, 0x27, "Right arrow", 79, 0)           \
    X(kUp, 0x26, "Up arrow", 82, 0)                 \
    X(kDown, 0x28, "Down arrow", 81, 0)             \
    X(kInsert, 0x2D, "Insert", 73, 0)               \
    X(kDelete, 0x2E, "Delete", 76, 0)               \
    X(kHome, 0x24, "Home", 74, 0)                   \
    X(kEnd, 0x23, "End", 77, 0)                     \
    X(kPageUp, 0x21, "Page Up", 75, 0)              \
    X(kPageDown, 0x22, "Page Down", 78, 0)          \
    X(kKeypad0, 0x60, "Keypad 0", 98, 0)            \
    X(kKeypad1, 0x61, "Keypad 1", 89, 0)            \
    X(kKeypad2, 0x62, "Keypad 2", 90, 0)            \
    X(kKeypad3, 0x63, "Keypad 3", 91, 0)            \
    X(kKeypad4, 0x64, "Keypad 4", 92, 0)            \
    X(kKeypad5, 0x65, "Keypad 5", 93, 0)            \
    X(kKeypad6, 0x66, "Keypad 6", 94, 0)            \
    X(kKeypad7, 0x67, "Keypad 7", 95, 0)            \
    X(kKeypad8, 0x68, "Keypad 8", 96, 0)            \
    X(kKeypad9, 0x69, "Keypad 9", 97, 0)            \
    X(kKeypadDivide, 0x6F, "Keypad /", 84, 0)       \
    X(kKeypadMultiply, 0x6A, "Keypad *", 85, 0)     \
    X(kKeypadSubtract, 0x6D, "Keypad -", 86, 0)     \
    X(kKeypadAdd, 0x6B, "Keypad +", 87, 0)          \
    X(kKeypadDecimal, 0x6E, "Keypad .", 99, 0)      \
    X(kGrave, 0xC0, "Grave", 53, 0)                 \
    X(kMinus, 0xBD, "Minus", 45, 0)                 \
    X(kEquals, 0xBB, "Equals", 46, 0)               \
    X(kLeftBracket, 0xDB, "Left bracket", 47, 0)    \
    X(kRightBracket, 0xDD, "Right bracket", 48, 0)  \
    X(kBackslash, 0xDC, "Backslash", 49, 0)         \
    X(kSemicolon, 0xBA, "Semicolon", 51, 0)         \
    X(kApostrophe, 0xDE, "Apostrophe", 52, 0)       \
    X(kComma, 0xBC, "Comma", 54, 0)                 \
    X(kPeriod, 0xBE, "Period", 55, 0)               \
    X(kSlash, 0xBF, "Slash", 56, 0)                 \
    X(kOem102, 0xE2, "Non-US backslash", 100, 0)    \
    X(kF1, 0x70, "F1", 58, 0)                       \
    X(kF2, 0x71, "F2", 59, 0)                       \
    X(kF3, 0x72, "F3", 60, 0)                       \
    X(kF4, 0x73, "F4", 61, 0)                       \
    X(kF5, 0x74, "F5", 62, 0)                       \
    X(kF6, 0x75, "F6", 63, 0)                       \
    X(kF7, 0x76, "F7", 64, 0)                       \
    X(kF8, 0x77, "F8", 65, 0)                       \
    X(kF9, 0x78, "F9", 66, 0)                       \
    X(kF10, 0x79, "F10", 67, 0)                     \
    X(kF11, 0x7A, "F11", 68, 0)                     \
    X(kF12, 0x7B, "F12", 69, 0)                     \
    X(kSpace, 0x20, "Space", 44, 0)                 \
    X(kEscape, 0x1B, "Escape", 41, 0)               \
    X(kAlt, 0x12, "Alt", 226, 230)                  \
    X(kTab, 0x09, "Tab", 43, 0)                     \
    X(kReturn, 0x0D, "Enter", 40, 88)               \
    X(kBackspace, 0x08, "Backspace", 42, 0)         \
    X(kShift, 0x10, "Shift", 225, 229)              \
    X(kControl, 0x11, "Ctrl", 224, 228)             \
    X(kCapsLock, 0x14, "Caps Lock", 57, 0)          \
    X(kLeftWindows, 0x5B, "Left Windows", 227, 0)   \
    X(kRightWindows, 0x5C, "Right Windows", 231, 0) \
    X(kApplications, 0x5D, "Menu", 101, 0)          \
    X(kPrintScreen, 0x2C, "Print Screen", 70, 0)    \
    X(kScrollLock, 0x91, "Scroll Lock", 71, 0)      \
    X(kPause, 0x13, "Pause", 72, 0)                 \
    X(kNumLock, 0x90, "Num Lock", 83, 0)

// The codes of the named keys, by name (kOem102 is the extra key beside left Shift on ISO
// keyboards).
namespace vk {
#define QUORL_KEY_CODE(constant, code, name, usage, otherUsage) \
    constexpr std::uint8_t constant = code;
QUORL_NAMED_KEYS(QUORL_KEY_CODE)
#undef QUORL_KEY_CODE
}  // namespace vk

// The name of a key: letters and digits by their character ("Z", "7"), the others by name
// ("Left arrow", "Keypad /", "Page Up", "Insert"); empty for a code that no key reports.
std::string keyName(std::uint8_t key);

// The key called `name`, ignoring case, white space around it and runs of white space inside
// it ("left ARROW" is the Left arrow); 0 when no key has that name.
std::uint8_t keyByName(const std::string& name);

// The key at a place on the keyboard, by its USB HID usage id; 0 for a place the game does not
// read.
std::uint8_t keyAtUsage(int usage);

// Every key that has a name, in the order `quorl-config keys --list` prints them: letters,
// digits, then the named keys in the order of the table. The reserved keys are among them.
const std::vector<std::uint8_t>& namedKeys();

// True for the keys the game keeps for itself: SPACE (start a round), ESC (quit), the Alt keys
// and F10 (system keys, never read).
bool isReservedKey(std::uint8_t key);

// The reserved keys in words, for messages: "Space, Escape, Alt and F10".
const char* reservedKeysText();
