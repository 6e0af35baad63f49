// The rules of the players' keys: roles, holders, clashes, reserved keys and assigning keys.
#include "core/bindings.h"

#include <algorithm>
#include <cstdio>

#include "core/config_error.h"
#include "core/text.h"

namespace {

std::string boundAlreadyText(const KeyHolder& holder, std::uint8_t key, const KeyHolder& other) {
    return holderName(holder) + " = " + keyName(key) + ": " + keyName(key) + " is bound to " +
           holderName(other) + " already";
}

}  // namespace

const char* keyRoleName(KeyRole role) {
    switch (role) {
        case KeyRole::left:
            return "left";
        case KeyRole::right:
            return "right";
        case KeyRole::fire:
            return "fire";
    }
    return "";
}

std::optional<KeyRole> keyRoleByName(const std::string& name) {
    const std::string text = folded(name);
    for (const KeyRole role : kKeyRoles) {
        if (text == keyRoleName(role)) return role;
    }
    return std::nullopt;
}

std::uint8_t keyFor(const SlotKeys& keys, KeyRole role) {
    switch (role) {
        case KeyRole::left:
            return keys.left;
        case KeyRole::right:
            return keys.right;
        case KeyRole::fire:
            return keys.fire;
    }
    return 0;
}

void setKeyFor(SlotKeys& keys, KeyRole role, std::uint8_t key) {
    switch (role) {
        case KeyRole::left:
            keys.left = key;
            break;
        case KeyRole::right:
            keys.right = key;
            break;
        case KeyRole::fire:
            keys.fire = key;
            break;
    }
}

std::string holderName(const KeyHolder& holder) {
    return "slot" + std::to_string(holder.slot) + "." + keyRoleName(holder.role);
}

std::optional<KeyHolder> holderOf(const Bindings& bindings, std::uint8_t key,
                                  std::optional<KeyHolder> except) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (const KeyRole role : kKeyRoles) {
            const KeyHolder holder{slot, role};
            if (except && *except == holder) continue;
            if (keyFor(bindings[slot], role) == key) return holder;
        }
    }
    return std::nullopt;
}

std::vector<KeyClash> keyClashes(const Bindings& bindings) {
    std::vector<KeyClash> clashes;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (const KeyRole role : kKeyRoles) {
            const KeyHolder holder{slot, role};
            const std::uint8_t key = keyFor(bindings[slot], role);
            const std::optional<KeyHolder> first = holderOf(bindings, key);
            if (first && !(*first == holder)) clashes.push_back({key, *first, holder});
        }
    }
    return clashes;
}

std::vector<KeyHolder> reservedHolders(const Bindings& bindings) {
    std::vector<KeyHolder> holders;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (const KeyRole role : kKeyRoles) {
            if (isReservedKey(keyFor(bindings[slot], role))) holders.push_back({slot, role});
        }
    }
    return holders;
}

std::string reservedKeyText(const KeyHolder& holder, std::uint8_t key) {
    return holderName(holder) + " = " + keyName(key) + ": " + keyName(key) +
           " is the game's own key (it keeps " + reservedKeysText() + " for itself)";
}

std::vector<std::string> bindingProblems(const Bindings& bindings) {
    std::vector<std::string> problems;
    for (const KeyHolder& holder : reservedHolders(bindings)) {
        problems.push_back(reservedKeyText(holder, keyFor(bindings[holder.slot], holder.role)));
    }
    for (const KeyClash& clash : keyClashes(bindings)) {
        problems.push_back(boundAlreadyText(clash.second, clash.key, clash.first));
    }
    return problems;
}

std::string slotKeysText(const SlotKeys& keys) {
    const auto name = [](std::uint8_t key) {
        const std::string text = keyName(key);
        if (!text.empty()) return text;
        char hex[16];
        std::snprintf(hex, sizeof hex, "key 0x%02X", key);
        return std::string(hex);
    };
    return "left " + name(keys.left) + ", right " + name(keys.right) + ", fire " + name(keys.fire);
}

std::optional<KeyHolder> findKeyField(const std::string& name) {
    const std::string wanted = lowerAscii(name);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (const KeyRole role : kKeyRoles) {
            if (wanted == holderName({slot, role})) return KeyHolder{slot, role};
        }
    }
    return std::nullopt;
}

void applyKeyAssignments(Bindings& bindings,
                         const std::vector<std::pair<std::string, std::string>>& pairs) {
    Bindings changed = bindings;
    std::vector<std::string> problems;
    std::vector<KeyHolder> assigned;
    for (const auto& [name, value] : pairs) {
        const std::optional<KeyHolder> holder = findKeyField(name);
        if (!holder) {
            problems.push_back("unknown key setting " + quoted(name));
            continue;
        }
        const std::string field = holderName(*holder);
        const std::uint8_t key = keyByName(value);
        if (std::find(assigned.begin(), assigned.end(), *holder) != assigned.end()) {
            problems.push_back(field + " is given more than once");
        } else if (key == 0) {
            problems.push_back(field + " = " + quoted(value) +
                               ": no key has this name (quorl-config keys --list lists them)");
        } else if (isReservedKey(key)) {
            problems.push_back(reservedKeyText(*holder, key));
        } else {
            assigned.push_back(*holder);
            setKeyFor(changed[holder->slot], holder->role, key);
        }
    }
    // Only now does each key have its final holder: a key moved away in the same command is free.
    for (std::size_t i = 0; i < assigned.size(); ++i) {
        const KeyHolder& holder = assigned[i];
        const std::uint8_t key = keyFor(changed[holder.slot], holder.role);
        const std::optional<KeyHolder> other = holderOf(changed, key, holder);
        if (!other) continue;
        const auto position = std::find(assigned.begin(), assigned.end(), *other);
        // Two settings of one key: the later one tells of the earlier.
        const bool assignedLater = position != assigned.end() &&
                                   position > assigned.begin() + static_cast<std::ptrdiff_t>(i);
        if (assignedLater) continue;
        std::string problem = boundAlreadyText(holder, key, *other);
        if (position == assigned.end())
            problem += " (give " + holderName(*other) + " another key in the same command)";
        problems.push_back(problem);
    }
    if (!problems.empty()) throw ConfigError(joinLines(problems));
    bindings = changed;
}
