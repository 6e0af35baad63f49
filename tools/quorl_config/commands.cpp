// The commands of quorl-config: each reads, checks and writes through the settings modules.
#include "tools/quorl_config/commands.h"

#include <filesystem>

#include "tools/quorl_config/config_error.h"
#include "tools/quorl_config/fields.h"
#include "tools/quorl_config/places.h"
#include "tools/quorl_config/report.h"
#include "tools/quorl_config/settings_file.h"
#include "tools/quorl_config/text_form.h"

namespace {

SettingsFile loadSettings(const std::string& path) {
    if (!pathExists(path)) {
        throw ConfigError(path + " does not exist (quorl-config new " + path +
                          " makes one with the default settings)");
    }
    return readSettingsFile(path);
}

void noteSize(const std::string& path, const SettingsFile& file, std::ostream& err) {
    const std::string note = sizeNote(path, file.fileSize);
    if (!note.empty()) err << "quorl-config: note: " << note << "\n";
}

// Tells what writing a file of the wrong size back at 1618 bytes did to it.
void noteRewrittenSize(const std::string& path, const SettingsFile& file, std::ostream& err) {
    const std::string note = sizeNote(path, file.fileSize);
    if (file.fileSize > kSettingsFileSize) {
        err << "quorl-config: warning: " << note << "; they were not written back\n";
    } else if (!note.empty()) {
        err << "quorl-config: note: " << note << "; it was written back at its full size\n";
    }
}

SettingsBytes encoded(const Settings& s) {
    SettingsBytes bytes{};
    encodeSettings(s, bytes.data());
    return bytes;
}

// Refuses, unless `force`, the patterns of `slots` that the game would not find beside the
// config at `path`, one line each.
void requirePatterns(const std::string& path, const Settings& s, const std::vector<int>& slots,
                     bool force, const std::string& forceHint) {
    if (force) return;
    const std::vector<std::filesystem::path> folders = patternFolders(path);
    std::string missing;
    for (const int slot : slots) {
        const std::string name = gamePatternName(s, slot);
        if (name.empty() || patternPresent(name, folders)) continue;
        missing += (missing.empty() ? "" : "\n") + ("slot" + std::to_string(slot)) +
                   ".pattern = " + quoted(name) + ": no such file in " + folderList(folders, "or") +
                   ", where the game looks for patterns (" + forceHint + ")";
    }
    if (!missing.empty()) throw ConfigError(missing);
}

}  // namespace

int showCommand(const std::string& path, std::ostream& out) {
    out << showText(path, loadSettings(path));
    return 0;
}

int setCommand(const std::string& path, const Assignments& assignments, bool force,
               std::ostream& out, std::ostream& err) {
    const SettingsFile file = loadSettings(path);
    Settings s = decodeSettings(file.bytes.data(), file.bytes.size());
    applyAssignments(s, assignments);
    std::vector<int> patternSlots;
    for (const auto& assignment : assignments) {
        const SettingField* field = findSettingField(assignment.first);
        if (field->key == "pattern") patternSlots.push_back(field->slot);
    }
    requirePatterns(path, s, patternSlots, force, "add --force to set it anyway");
    writeSettingsFile(path, encoded(s));
    noteRewrittenSize(path, file, err);
    std::string names;
    for (const auto& assignment : assignments) {
        names += (names.empty() ? "" : ", ") + findSettingField(assignment.first)->name;
    }
    out << "updated " << path << ": " << names << "\n";
    return 0;
}

int newCommand(const std::string& path, bool force, std::ostream& out) {
    if (!force && pathExists(path)) {
        throw ConfigError(path + " already exists; add --force to replace it");
    }
    writeSettingsFile(path, encoded(defaultSettings()));
    out << "wrote the default settings to " << path << "\n";
    return 0;
}

int exportCommand(const std::string& path, const std::string& output, std::ostream& out,
                  std::ostream& err) {
    const SettingsFile file = loadSettings(path);
    noteSize(path, file, err);
    const std::string text = exportText(file.bytes);
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
    const SettingsBytes bytes = importText(readTextFile(textPath), textPath);
    std::vector<int> allSlots;
    for (int slot = 0; slot < kSlotCount; ++slot) allSlots.push_back(slot);
    requirePatterns(path, decodeSettings(bytes.data(), bytes.size()), allSlots, force,
                    "add --force to import it anyway");
    if (!force && pathExists(path)) {
        const SettingsFile current = readSettingsFile(path);
        if (current.fileSize == kSettingsFileSize && current.bytes == bytes) {
            out << path << " already holds these settings\n";
            return 0;
        }
        throw ConfigError(path + " already exists with other settings; add --force to replace it");
    }
    writeSettingsFile(path, bytes);
    out << "imported " << textPath << " into " << path << "\n";
    return 0;
}

int checkCommand(const std::string& path, std::ostream& out, std::ostream& err) {
    const SettingsFile file = loadSettings(path);
    noteSize(path, file, err);
    const std::vector<std::string> problems = checkProblems(path, file.bytes);
    const std::vector<std::string> warnings = checkWarnings(file.bytes);
    for (const std::string& problem : problems) out << path << ": " << problem << "\n";
    for (const std::string& warning : warnings) out << path << ": warning: " << warning << "\n";
    if (problems.empty() && warnings.empty()) {
        out << path << ": ok\n";
        return 0;
    }
    std::string summary;
    if (!problems.empty()) summary = counted(problems.size(), "problem");
    if (!warnings.empty()) {
        summary += (summary.empty() ? "" : ", ") + counted(warnings.size(), "warning");
    }
    out << path << ": " << summary << "\n";
    return 1;
}
