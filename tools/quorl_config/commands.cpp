// The commands of quorl-config: each reads, checks and writes through the settings modules.
#include "tools/quorl_config/commands.h"

#include <filesystem>
#include <numeric>

#include "core/config_error.h"
#include "core/files.h"
#include "core/findings.h"
#include "core/keys_file.h"
#include "core/places.h"
#include "core/setting_fields.h"
#include "core/settings_file.h"
#include "core/text.h"
#include "core/text_form.h"
#include "tools/quorl_config/show.h"

namespace {

SettingsFile loadSettings(const std::string& path) {
    if (!pathExists(path)) {
        throw ConfigError(path + " does not exist (quorl-config new " + path +
                          " makes one with the default settings)");
    }
    return readSettingsFile(path);
}

// Notes a file of the wrong size and, once it is `rewritten` at 1618 bytes, what that did to it.
void noteSize(const std::string& path, const SettingsFile& file, std::ostream& err,
              bool rewritten = false) {
    const std::string note = sizeNote(path, file.fileSize);
    if (note.empty()) return;
    if (rewritten && file.fileSize > kSettingsFileSize) {
        err << "quorl-config: warning: " << note << "; they were not written back\n";
    } else {
        err << "quorl-config: note: " << note
            << (rewritten ? "; it was written back at its full size\n" : "\n");
    }
}

// Refuses, unless `force`, the patterns of `slots` that the game would not find beside the
// config at `path`, one line each.
void requirePatterns(const std::string& path, const Settings& s, const std::vector<int>& slots,
                     bool force, const std::string& forceHint) {
    if (force) return;
    const std::vector<std::filesystem::path> folders = patternFolders(path);
    std::vector<std::string> missing;
    for (const int slot : slots) {
        const std::string name = gamePatternName(s, slot);
        if (name.empty() || patternPresent(name, folders)) continue;
        missing.push_back("slot" + std::to_string(slot) + ".pattern = " + quoted(name) +
                          ": no such file in " + folderList(folders, "or") +
                          ", where the game looks for patterns (" + forceHint + ")");
    }
    if (!missing.empty()) throw ConfigError(joinLines(missing));
}

// Warns that the game refuses the keys file, whose readable keys a command goes on with.
void warnAboutKeys(const KeysFile& keys, const std::string& keysPath, std::ostream& err) {
    if (keys.faults.empty()) return;
    err << "quorl-config: warning: the game refuses " << keysPath << " ("
        << counted(keys.faults.size(), "problem")
        << ", which quorl-config check lists); the keys it could read are used\n";
}

// Every key name, one a line, in the order of namedKeys(); the keys the game keeps for itself
// marked.
std::string keyNameList() {
    std::string text;
    for (const std::uint8_t key : namedKeys()) {
        text +=
            keyName(key) + (isReservedKey(key) ? "  (the game's own: not for players)" : "") + "\n";
    }
    return text;
}

// The setting's name as quorl-config writes it: lower case, a key as slotN.ROLE.
std::string canonicalName(const std::string& name) {
    if (const SettingField* field = findSettingField(name)) return field->name;
    if (const std::optional<KeyHolder> holder = findKeyField(name)) return holderName(*holder);
    return findTextField(name)->name;
}

std::string nameList(const Assignments& assignments) {
    std::string names;
    for (const auto& assignment : assignments)
        names += (names.empty() ? "" : ", ") + canonicalName(assignment.first);
    return names;
}

}  // namespace

int showCommand(const std::string& path, std::ostream& out) {
    const SettingsFile file = loadSettings(path);
    const std::string keysPath = keysPathFor(path);
    out << showText(path, file, readKeysFile(keysPath), keysPath);
    return 0;
}

int setCommand(const std::string& path, const Assignments& assignments, bool force,
               std::ostream& out, std::ostream& err) {
    const SettingsFile file = loadSettings(path);
    // The config's settings, and those of the keys file: its keys, and the rest of it.
    Assignments settingPairs, keysFilePairs, keyPairs, textPairs;
    for (const auto& assignment : assignments) {
        const bool key = findKeyField(assignment.first).has_value();
        const bool text = findTextField(assignment.first).has_value();
        (key || text ? keysFilePairs : settingPairs).push_back(assignment);
        if (key) keyPairs.push_back(assignment);
        if (text) textPairs.push_back(assignment);
    }

    std::vector<std::string> problems;
    // Runs `apply`, keeping the lines of the ConfigError it throws.
    const auto collect = [&problems](auto apply) {
        try {
            apply();
        } catch (const ConfigError& error) {
            problems.push_back(error.what());
        }
    };
    Settings s = decoded(file.bytes);
    collect([&] { applyAssignments(s, settingPairs); });
    const std::string keysPath = keysPathFor(path);
    const KeysFile keys = keysFilePairs.empty() ? KeysFile{} : readKeysFile(keysPath);
    TextSettings text = keys;
    if (!keysFilePairs.empty()) {
        const std::string lost = unreadableKeyLines(keys, keysPath);
        if (!lost.empty()) {
            problems.push_back(keysPath +
                               " has lines the game cannot read, which writing it anew would "
                               "lose; mend or remove them first:\n" +
                               lost);
        }
        const std::size_t before = problems.size();
        collect([&] { applyKeyAssignments(text.bindings, keyPairs); });
        collect([&] { applyTextAssignments(text, textPairs); });
        // Once the keys set are fine, what the file held wrong before and still holds.
        if (problems.size() == before) {
            for (const std::string& problem : bindingProblems(text.bindings))
                problems.push_back(keysPath + ": " + problem);
        }
    }
    if (!problems.empty()) throw ConfigError(joinLines(problems));

    std::vector<int> patternSlots;
    for (const auto& assignment : settingPairs) {
        const SettingField* field = findSettingField(assignment.first);
        if (field->key == "pattern") patternSlots.push_back(field->slot);
    }
    requirePatterns(path, s, patternSlots, force, "add --force to set it anyway");
    // Both files change together or not at all.
    std::vector<FileWrite> writes;
    if (!settingPairs.empty()) writes.push_back(settingsWrite(path, encoded(s)));
    if (!keysFilePairs.empty()) writes.push_back({keysPath, formatKeys(text)});
    writeFilesAtomically(writes);
    if (!settingPairs.empty()) {
        noteSize(path, file, err, true);
        out << "updated " << path << ": " << nameList(settingPairs) << "\n";
    }
    if (!keysFilePairs.empty())
        out << "updated " << keysPath << ": " << nameList(keysFilePairs) << "\n";
    return 0;
}

int newCommand(const std::string& path, bool force, std::ostream& out) {
    if (!force && pathExists(path)) {
        throw ConfigError(path + " already exists; add --force to replace it");
    }
    writeFilesAtomically({settingsWrite(path, encoded(defaultSettings()))});
    out << "wrote the default settings to " << path << "\n";
    const std::string keysPath = keysPathFor(path);
    if (pathExists(keysPath)) {
        out << "the keys file " << keysPath
            << " stays in force: the players keep its keys (remove it for the default keys)\n";
    } else {
        out << "no keys file beside it: every slot has its default keys\n";
    }
    return 0;
}

int keysCommand(const std::string& path, bool list, std::ostream& out, std::ostream& err) {
    if (list) {
        out << keyNameList();
        return 0;
    }
    const std::string keysPath = keysPathFor(path);
    const KeysFile keys = readKeysFile(keysPath);
    warnAboutKeys(keys, keysPath, err);
    out << formatKeys(keys);
    return keys.faults.empty() ? 0 : 1;
}

int exportCommand(const std::string& path, const std::string& output, std::ostream& out,
                  std::ostream& err) {
    const SettingsFile file = loadSettings(path);
    noteSize(path, file, err);
    const std::string keysPath = keysPathFor(path);
    const KeysFile keys = readKeysFile(keysPath);
    warnAboutKeys(keys, keysPath, err);
    const std::string text = exportText(file.bytes, keys);
    if (output.empty()) {
        out << text;
    } else {
        writeFileAtomically(output, text);
        out << "wrote the settings of " << path << " to " << output << "\n";
    }
    return 0;
}

int importCommand(const std::string& textPath, const std::string& path, bool force,
                  std::ostream& out) {
    const ImportedText imported = importSettingsText(readTextFile(textPath), textPath);
    const SettingsBytes& bytes = imported.bytes;
    std::vector<int> allSlots(kSlotCount);
    std::iota(allSlots.begin(), allSlots.end(), 0);
    requirePatterns(path, decoded(bytes), allSlots, force, "add --force to import it anyway");
    // The text's keys go to the keys file, unless it binds them so already; default keys need
    // no file.
    const std::string keysPath = keysPathFor(path);
    const KeysFile currentKeys = readKeysFile(keysPath);
    const bool writeKeys =
        imported.keys && (currentKeys.present ? !currentKeys.faults.empty() ||
                                                    TextSettings(currentKeys) != *imported.keys
                                              : *imported.keys != TextSettings{});
    if (!force) {
        const bool configExists = pathExists(path);
        if (configExists) {
            const SettingsFile current = readSettingsFile(path);
            if (current.fileSize != kSettingsFileSize || current.bytes != bytes) {
                throw ConfigError(path +
                                  " already exists with other settings; add --force to replace it");
            }
        }
        if (writeKeys && currentKeys.present) {
            throw ConfigError(keysPath + " already binds other keys; add --force to replace it");
        }
        if (configExists && !writeKeys) {
            out << path << " already holds these settings\n";
            return 0;
        }
    }
    std::vector<FileWrite> writes{settingsWrite(path, bytes)};
    if (writeKeys) writes.push_back({keysPath, formatKeys(*imported.keys)});
    writeFilesAtomically(writes);
    out << "imported " << textPath << " into " << path
        << (writeKeys ? ", its keys into " + keysPath : "") << "\n";
    return 0;
}

int checkCommand(const std::string& path, std::ostream& out, std::ostream& err) {
    const SettingsFile file = loadSettings(path);
    std::vector<CheckFinding> problems = problemFindings(path, file.bytes);
    // The game refuses a short file outright; a long one is only noted.
    if (file.fileSize < kSettingsFileSize)
        problems.insert(problems.begin(), {{}, sizeNote("the file", file.fileSize)});
    else
        noteSize(path, file, err);
    const std::vector<CheckFinding> warnings = warningFindings(file.bytes);
    for (const CheckFinding& problem : problems) out << path << ": " << problem.text << "\n";
    // Whatever makes the game refuse the keys file beside the config, on its own lines.
    const std::string keysPath = keysPathFor(path);
    const std::vector<Fault> faults = readKeysFile(keysPath).faults;
    if (!faults.empty()) out << faultList(faults, keysPath) << "\n";
    for (const CheckFinding& warning : warnings)
        out << path << ": warning: " << warning.text << "\n";
    const std::size_t problemCount = problems.size() + faults.size();
    if (problemCount == 0 && warnings.empty()) {
        out << path << ": ok\n";
        return 0;
    }
    std::string summary = problemCount > 0 ? counted(problemCount, "problem") : "";
    if (!warnings.empty())
        summary += (summary.empty() ? "" : ", ") + counted(warnings.size(), "warning");
    out << path << ": " << summary << "\n";
    return 1;
}
