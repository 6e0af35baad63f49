// The players' keys: which key turns each slot's line left, which right and which fires, who
// holds a key, and what the game refuses in a set of bindings. Keys are virtual-key codes
// (core/keys.h), which stand for places on the keyboard: `Z` is the key where a US keyboard has
// Z, whatever the layout.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/keys.h"
#include "core/settings.h"

// A slot's three keys, as virtual-key codes.
struct SlotKeys {
    std::uint8_t left;
    std::uint8_t right;
    std::uint8_t fire;
};

inline bool operator==(const SlotKeys& a, const SlotKeys& b) {
    return a.left == b.left && a.right == b.right && a.fire == b.fire;
}
inline bool operator!=(const SlotKeys& a, const SlotKeys& b) {
    return !(a == b);
}

// What a key does for its slot.
enum class KeyRole { left, right, fire };
inline constexpr KeyRole kKeyRoles[] = {KeyRole::left, KeyRole::right, KeyRole::fire};

// "left", "right" or "fire": the entry names of the keys file and of `quorl-config set slotN.*`.
const char* keyRoleName(KeyRole role);

// The role called `name`, case-insensitive; none for any other name.
std::optional<KeyRole> keyRoleByName(const std::string& name);

std::uint8_t keyFor(const SlotKeys& keys, KeyRole role);
void setKeyFor(SlotKeys& keys, KeyRole role, std::uint8_t key);

// Every slot's keys, by slot number.
using Bindings = std::array<SlotKeys, kSlotCount>;

// The design's table: in force for every key that the keys file leaves out.
inline constexpr Bindings kDefaultBindings = {{
    {vk::kLeft, vk::kRight, vk::kUp},
    {vk::kKeypadDivide, vk::kKeypadSubtract, vk::kKeypadMultiply},
    {vk::kInsert, vk::kPageUp, vk::kHome},
    {'I', 'P', 'O'},
    {'V', 'N', 'B'},
    {'Q', 'E', 'W'},
}};

// --- Who holds a key ---

// A slot and one of its keys.
struct KeyHolder {
    int slot;
    KeyRole role;
};

inline bool operator==(const KeyHolder& a, const KeyHolder& b) {
    return a.slot == b.slot && a.role == b.role;
}

// "slot1.left": the name quorl-config set and the keys file give a slot's key.
std::string holderName(const KeyHolder& holder);

// The first slot and role, in slot order and then left, right, fire, that binds `key`, leaving
// out `except`; none when no other holds it.
std::optional<KeyHolder> holderOf(const Bindings& bindings, std::uint8_t key,
                                  std::optional<KeyHolder> except = std::nullopt);

// A key that two holders share; `first` comes before `second` in slot and role order.
struct KeyClash {
    std::uint8_t key;
    KeyHolder first;
    KeyHolder second;
};

// Every pair of holders that share a key, ordered by `second`. Three holders of one key make
// two clashes, each with the first of them.
std::vector<KeyClash> keyClashes(const Bindings& bindings);

// Every holder of a reserved key, in slot and role order.
std::vector<KeyHolder> reservedHolders(const Bindings& bindings);

// Everything the game refuses in a table, one sentence each: keys bound twice and reserved
// keys. Empty when the game can play with it.
std::vector<std::string> bindingProblems(const Bindings& bindings);

// The fault of a reserved key bound to `holder`: "slot1.left = Space: Space is the game's own
// key (it keeps Space, Escape, Alt and F10 for itself)".
std::string reservedKeyText(const KeyHolder& holder, std::uint8_t key);

// The slot's keys in words, for listings: "left Left arrow, right Right arrow, fire Up arrow".
std::string slotKeysText(const SlotKeys& keys);

// The slot and role of a key setting (slotN.left, slotN.right or slotN.fire, case does not
// matter), or none.
std::optional<KeyHolder> findKeyField(const std::string& name);

// Applies KEY-SETTING=NAME pairs after checking every one: an unknown key name, a reserved key,
// a key given twice, and a key that another slot or role holds once all of them are applied
// (naming that holder; so two keys can swap in one command). Throws ConfigError listing every
// problem, one a line, and leaves `bindings` untouched when there is any.
void applyKeyAssignments(Bindings& bindings,
                         const std::vector<std::pair<std::string, std::string>>& pairs);
