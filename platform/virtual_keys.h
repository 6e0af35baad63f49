// The virtual-key codes that the platform reports and the game reads: each code in use by name.
// Letters and digits are their own upper-case ASCII codes ('A' to 'Z', '0' to '9').
#pragma once

#include <cstdint>

namespace vk {

constexpr std::uint8_t kBackspace = 0x08;
constexpr std::uint8_t kTab = 0x09;
constexpr std::uint8_t kReturn = 0x0D;
constexpr std::uint8_t kShift = 0x10;
constexpr std::uint8_t kControl = 0x11;
constexpr std::uint8_t kAlt = 0x12;
constexpr std::uint8_t kPause = 0x13;
constexpr std::uint8_t kCapsLock = 0x14;
constexpr std::uint8_t kEscape = 0x1B;
constexpr std::uint8_t kSpace = 0x20;
constexpr std::uint8_t kPageUp = 0x21;
constexpr std::uint8_t kPageDown = 0x22;
constexpr std::uint8_t kEnd = 0x23;
constexpr std::uint8_t kHome = 0x24;
constexpr std::uint8_t kLeft = 0x25;
constexpr std::uint8_t kUp = 0x26;
constexpr std::uint8_t kRight = 0x27;
constexpr std::uint8_t kDown = 0x28;
constexpr std::uint8_t kPrintScreen = 0x2C;
constexpr std::uint8_t kInsert = 0x2D;
constexpr std::uint8_t kDelete = 0x2E;
constexpr std::uint8_t kLeftWindows = 0x5B;
constexpr std::uint8_t kRightWindows = 0x5C;
constexpr std::uint8_t kApplications = 0x5D;
constexpr std::uint8_t kKeypad0 = 0x60;  // to kKeypad0 + 9
constexpr std::uint8_t kKeypadMultiply = 0x6A;
constexpr std::uint8_t kKeypadAdd = 0x6B;
constexpr std::uint8_t kKeypadSubtract = 0x6D;
constexpr std::uint8_t kKeypadDecimal = 0x6E;
constexpr std::uint8_t kKeypadDivide = 0x6F;
constexpr std::uint8_t kF1 = 0x70;  // to kF1 + 11
constexpr std::uint8_t kF10 = 0x79;
constexpr std::uint8_t kNumLock = 0x90;
constexpr std::uint8_t kScrollLock = 0x91;
constexpr std::uint8_t kSemicolon = 0xBA;
constexpr std::uint8_t kEquals = 0xBB;
constexpr std::uint8_t kComma = 0xBC;
constexpr std::uint8_t kMinus = 0xBD;
constexpr std::uint8_t kPeriod = 0xBE;
constexpr std::uint8_t kSlash = 0xBF;
constexpr std::uint8_t kGrave = 0xC0;
constexpr std::uint8_t kLeftBracket = 0xDB;
constexpr std::uint8_t kBackslash = 0xDC;
constexpr std::uint8_t kRightBracket = 0xDD;
constexpr std::uint8_t kApostrophe = 0xDE;
constexpr std::uint8_t kOem102 = 0xE2;  // the extra key beside left Shift on ISO keyboards

}  // namespace vk
