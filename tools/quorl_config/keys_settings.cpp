// The key settings of quorl-config, checked with the game's own rules (game/players/bindings.h).
#include "tools/quorl_config/keys_settings.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "tools/quorl_config/config_error.h"
#include "tools/quorl_config/fields.h"

std::string keysPathFor(const std::string& configPath) {
    const std::filesystem::path folder = std::filesystem::path(configPath).parent_path();
    return folder.empty() ? kKeysFileName : (folder / kKeysFileName).string();
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
            problems.push_back(field + " = " + keyName(key) + ": " + keyName(key) +
                               " is the game's own key (it keeps " + reservedKeysText() +
                               " for itself)");
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
        std::string problem = holderName(holder) + " = " + keyName(key) + ": " + keyName(key) +
                              " is bound to " + holderName(*other) + " already";
        if (position == assigned.end())
            problem += " (give " + holderName(*other) + " another key in the same command)";
        problems.push_back(problem);
    }
    if (!problems.empty()) throw ConfigError(joinLines(problems));
    bindings = changed;
}

std::string unreadableKeyLines(const KeysFile& keys, const std::string& keysPath) {
    std::vector<KeysFault> lost;
    std::copy_if(keys.faults.begin(), keys.faults.end(), std::back_inserter(lost),
                 [](const KeysFault& fault) { return !fault.binding; });
    return keysFaultList(lost, keysPath);
}

std::string keyNameList() {
    std::string text;
    for (const std::uint8_t key : namedKeys()) {
        text +=
            keyName(key) + (isReservedKey(key) ? "  (the game's own: not for players)" : "") + "\n";
    }
    return text;
}

std::string keySettingsHelp() {
    return "  slotN.left, slotN.right, slotN.fire\n"
           "                  The slot's keys to turn left, turn right and fire, written to the "
           "file keys\n"
           "                  beside FILE; the slots' other keys stay as they are.\n"
           "                  Allowed: a key name of quorl-config keys --list (case does not "
           "matter), but\n"
           "                  not Space, Escape, Alt or F10, nor a key that another slot or key "
           "holds.\n";
}
