// The edit model of quorl-setup: every read, check and write goes through the settings library
// of quorl-config and the keys library of the game, so the programs take, refuse and report
// alike.
#include "tools/quorl_setup/setup_model.h"

#include <algorithm>
#include <filesystem>

#include "core/config_error.h"
#include "core/findings.h"
#include "core/keys_file.h"
#include "core/places.h"
#include "core/setting_fields.h"

namespace {

void addLine(std::string& text, const std::string& line) {
    text += (text.empty() ? "" : "\n") + line;
}

}  // namespace

SetupModel::SetupModel(std::string configPath)
    : configPath_(std::move(configPath)),
      keysPath_(keysPathFor(configPath_)),
      saved_(defaultSettings()) {
    loadConfig();
    loadKeys();
    edited_ = saved_;
    editedKeys_ = savedKeys_;
    recheck();
}

void SetupModel::loadConfig() {
    fileExists_ = pathExists(configPath_);
    if (!fileExists_) {
        fileNote_ = configPath_ + " does not exist yet: Save makes it";
        return;
    }
    try {
        const SettingsFile file = readSettingsFile(configPath_);
        saved_ = decodeSettings(file.bytes.data(), file.bytes.size());
        fileNote_ = sizeNote(configPath_, file.fileSize);
    } catch (const ConfigError& error) {
        loadError_ = error.what();
    }
}

// A file the game cannot read at all is unreadable here too; one that only binds a key twice or
// a reserved key is read as written, and its faults show beside the keys.
void SetupModel::loadKeys() {
    const KeysFile file = readKeysFile(keysPath_);
    const std::string unreadable = unreadableKeyLines(file, keysPath_);
    if (unreadable.empty()) {
        savedKeys_ = file;
        return;
    }
    keysUnreadable_ = true;
    addLine(loadError_, unreadable);
}

std::string SetupModel::folder() const {
    const std::string folder = std::filesystem::path(configPath_).parent_path().string();
    return folder.empty() ? "." : folder;
}

void SetupModel::replaceUnreadableFiles() {
    loadError_.clear();
}

std::string SetupModel::value(const std::string& name) const {
    if (const SettingField* field = findSettingField(name)) return field->format(edited_);
    const std::optional<NamedTextField> field = findTextField(name);
    return field->field->format(editedKeys_, field->slot);
}

std::string SetupModel::refuse(const std::string& name, const std::string& why) {
    return refusals_[name] = why;
}

std::string SetupModel::set(const std::string& name, const std::string& value) {
    try {
        if (findTextField(name))
            applyTextAssignments(editedKeys_, {{name, value}});
        else
            applyAssignments(edited_, {{name, value}});
    } catch (const ConfigError& error) {
        return refuse(name, error.what());
    }
    refusals_.erase(name);
    recheck();
    return "";
}

std::string SetupModel::setKey(int slot, KeyRole role, std::uint8_t key) {
    const KeyHolder holder{slot, role};
    const std::string name = holderName(holder);
    if (key == 0) return refuse(name, "that key is not one the game reads");
    try {
        applyKeyAssignments(editedKeys_.bindings, {{name, keyName(key)}});
    } catch (const ConfigError& error) {
        // quorl-config's hint to swap keys in one command does not apply to one key at a time.
        std::string why = error.what();
        return refuse(name, why.substr(0, why.find(" (give ")));
    }
    refusals_.erase(name);
    recheck();
    return "";
}

std::vector<FieldNote> SetupModel::notes(const std::string& name) const {
    std::vector<FieldNote> notes;
    const auto refusal = refusals_.find(name);
    if (refusal != refusals_.end()) notes.push_back({FieldNote::Kind::refused, refusal->second});
    for (const Finding& finding : findings_) {
        const auto& settings = finding.settings;
        if (std::find(settings.begin(), settings.end(), name) != settings.end()) {
            notes.push_back(finding.note);
        }
    }
    return notes;
}

bool SetupModel::dirty() const {
    const bool replacingKeys = keysUnreadable_ && loadError_.empty();
    return !fileExists_ || encoded(edited_) != encoded(saved_) || editedKeys_ != savedKeys_ ||
           replacingKeys;
}

void SetupModel::restoreDefaults() {
    edited_ = defaultSettings();
    editedKeys_ = TextSettings{};
    refusals_.clear();
    recheck();
}

std::string SetupModel::save() {
    if (!loadError_.empty()) {
        return "Save keeps what could not be read as it is, unless you choose to start from the "
               "defaults";
    }
    try {
        makeFolderFor(configPath_);
        // The config and the keys change together or not at all.
        std::vector<FileWrite> writes{settingsWrite(configPath_, encoded(edited_))};
        const bool keysChanged = editedKeys_ != savedKeys_ || keysUnreadable_;
        if (keysChanged) writes.push_back({keysPath_, formatKeys(editedKeys_)});
        writeFilesAtomically(writes);
        saved_ = edited_;
        fileExists_ = true;
        fileNote_.clear();
        savedKeys_ = editedKeys_;
        keysUnreadable_ = false;
    } catch (const ConfigError& error) {
        return error.what();
    }
    recheck();
    return "";
}

int SetupModel::controllerFor(int slot) const {
    // As the game hands them out: to the enabled slots people play, in slot order.
    int k = 0;
    for (const int enabled : enabledSlots(edited_)) {
        if (editedKeys_.computer[static_cast<std::size_t>(enabled)] != ComputerLevel::none)
            continue;
        ++k;
        if (enabled == slot) return k;
    }
    return 0;
}

void SetupModel::recheck() {
    const SettingsBytes bytes = encoded(edited_);
    findings_.clear();
    for (const CheckFinding& finding : problemFindings(configPath_, bytes)) {
        findings_.push_back({finding.settings, {FieldNote::Kind::problem, finding.text}});
    }
    // Each sentence starts with the key it concerns: "slot1.left = Z: ...".
    for (const std::string& problem : bindingProblems(editedKeys_.bindings)) {
        findings_.push_back(
            {{problem.substr(0, problem.find(" = "))}, {FieldNote::Kind::problem, problem}});
    }
    for (const CheckFinding& finding : warningFindings(bytes)) {
        findings_.push_back({finding.settings, {FieldNote::Kind::warning, finding.text}});
    }
}
