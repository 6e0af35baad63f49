// Key names and places, all read from the one key table in keys.h.
#include "core/keys.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "core/text.h"

namespace {

struct NamedKey {
    std::uint8_t code;
    const char* name;
    int usages[2];
};

constexpr NamedKey kNamedKeys[] = {
#define QUORL_KEY_ROW(constant, code, name, usage, otherUsage) {code, name, {usage, otherUsage}},
    QUORL_NAMED_KEYS(QUORL_KEY_ROW)
#undef QUORL_KEY_ROW
};

constexpr std::uint8_t kReservedKeys[] = {vk::kSpace, vk::kEscape, vk::kAlt, vk::kF10};

// The usage ids of the letters and digits: A to Z from 4, 1 to 9 from 30, then 0.
constexpr int kFirstLetterUsage = 4;
constexpr int kFirstDigitUsage = 30;
constexpr int kUsageCount = 256;

bool isLetterOrDigit(std::uint8_t key) {
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
}

std::array<std::uint8_t, kUsageCount> makeUsageTable() {
    std::array<std::uint8_t, kUsageCount> table{};
    for (int i = 0; i < 26; ++i) table[kFirstLetterUsage + i] = static_cast<std::uint8_t>('A' + i);
    for (int i = 0; i < 9; ++i) table[kFirstDigitUsage + i] = static_cast<std::uint8_t>('1' + i);
    table[kFirstDigitUsage + 9] = '0';
    for (const NamedKey& key : kNamedKeys) {
        for (const int usage : key.usages) {
            if (usage != 0) table[static_cast<std::size_t>(usage)] = key.code;
        }
    }
    return table;
}

}  // namespace

std::string keyName(std::uint8_t key) {
    if (isLetterOrDigit(key)) return std::string(1, static_cast<char>(key));
    for (const NamedKey& named : kNamedKeys) {
        if (named.code == key) return named.name;
    }
    return "";
}

std::uint8_t keyByName(const std::string& name) {
    const std::string text = folded(name);
    if (text.size() == 1) {
        const char upper =
            text[0] >= 'a' && text[0] <= 'z' ? static_cast<char>(text[0] - 'a' + 'A') : text[0];
        if (isLetterOrDigit(static_cast<std::uint8_t>(upper)))
            return static_cast<std::uint8_t>(upper);
    }
    for (const NamedKey& named : kNamedKeys) {
        if (folded(named.name) == text) return named.code;
    }
    return 0;
}

std::uint8_t keyAtUsage(int usage) {
    static const std::array<std::uint8_t, kUsageCount> table = makeUsageTable();
    if (usage < 0 || usage >= kUsageCount) return 0;
    return table[static_cast<std::size_t>(usage)];
}

const std::vector<std::uint8_t>& namedKeys() {
    static const std::vector<std::uint8_t> keys = [] {
        std::vector<std::uint8_t> list;
        for (char c = 'A'; c <= 'Z'; ++c) list.push_back(static_cast<std::uint8_t>(c));
        for (char c = '0'; c <= '9'; ++c) list.push_back(static_cast<std::uint8_t>(c));
        for (const NamedKey& named : kNamedKeys) list.push_back(named.code);
        return list;
    }();
    return keys;
}

bool isReservedKey(std::uint8_t key) {
    return std::find(std::begin(kReservedKeys), std::end(kReservedKeys), key) !=
           std::end(kReservedKeys);
}

const char* reservedKeysText() {
    return "Space, Escape, Alt and F10";
}
