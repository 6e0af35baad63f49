// The edit model of quorl-setup: every read, check and write goes through the settings library
// of quorl-config and the keys library of the game, so the programs take, refuse and report
// alike.
#include "tools/quorl_setup/setup_model.h"

#include <algorithm>
#include <filesystem>

#include "core/codepage.h"
#include "core/config_error.h"
#include "core/findings.h"
#include "core/keys_file.h"
#include "core/places.h"
#include "core/setting_fields.h"

namespace {

void addLine(std::string& text, const std::string& line) {
    text += (text.empty() ? "" : "\n") + line;
}

// A match of this many points per opponent lasts long enough that a lucky round does not decide
// it, short enough for an evening's several matches.
constexpr unsigned kPointsPerOpponent = 10;

// The characters of `text` that the game's font draws, and apart, once each, those it does not.
// A character is a UTF-8 lead byte with the continuation bytes after it.
std::pair<std::string, std::string> drawable(const std::string& text) {
    std::string kept, leftOut;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = 1;
        while (at + length < text.size() && (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80) {
            ++length;
        }
        const std::string character = text.substr(at, length);
        at += length;
        try {
            utf8ToGameBytes(character);
            kept += character;
        } catch (const ConfigError&) {
            if (leftOut.find(character) == std::string::npos) leftOut += character;
        }
    }
    return {kept, leftOut};
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
    refusals_[name] = {why, std::nullopt};
    return why;
}

void SetupModel::editing(const std::string& name) {
    if (leftOutNote_.empty() || leftOutNote_ == name) return;
    refusals_.erase(leftOutNote_);
    leftOutNote_.clear();
}

std::string SetupModel::setName(const std::string& name, const std::string& value) {
    const auto [kept, leftOut] = drawable(value);
    const std::size_t limit = findSettingField(name)->width - 1;
    if (utf8ToGameBytes(kept).size() > limit) {
        leftOutNote_.clear();
        return refuse(name, "a name has at most " + std::to_string(limit) + " letters");
    }
    try {
        applyAssignments(edited_, {{name, kept}});
    } catch (const ConfigError& error) {
        leftOutNote_.clear();
        return refuse(name, error.what());
    }
    recheck();
    // A note of left-out characters stays while the player goes on typing the name.
    if (leftOut.empty()) {
        if (leftOutNote_ != name) refusals_.erase(name);
        return "";
    }
    leftOutNote_ = name;
    return refuse(name, "the game cannot draw " + leftOut + ", so it was left out");
}

std::string SetupModel::set(const std::string& name, const std::string& value) {
    editing(name);
    const SettingField* named = findSettingField(name);
    if (named != nullptr && named->kind == FieldKind::name) return setName(name, value);
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
    editing(name);
    if (key == 0) return refuse(name, "the game does not read that key");
    if (const std::optional<KeyHolder> other = holderOf(bindings(), key, holder)) {
        const std::string why = keyName(key) + " is " + playerName(other->slot) + "'s " +
                                keyRoleName(other->role) + " key";
        refusals_[name] = {why, other};
        return why;
    }
    try {
        applyKeyAssignments(editedKeys_.bindings, {{name, keyName(key)}});
    } catch (const ConfigError& error) {
        // Without quorl-config's "slot1.fire = Space: " before the reason.
        const std::string why = error.what();
        const std::size_t reason = why.find(": ");
        return refuse(name, reason == std::string::npos ? why : why.substr(reason + 2));
    }
    refusals_.erase(name);
    recheck();
    return "";
}

std::vector<FieldNote> SetupModel::notes(const std::string& name) const {
    std::vector<FieldNote> notes;
    const auto refusal = refusals_.find(name);
    if (refusal != refusals_.end()) {
        notes.push_back({FieldNote::Kind::refused, refusal->second.text});
    }
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

std::optional<KeyHolder> SetupModel::clashWith(const KeyHolder& holder) const {
    const auto refusal = refusals_.find(holderName(holder));
    return refusal == refusals_.end() ? std::nullopt : refusal->second.clash;
}

std::string SetupModel::playerName(int slot) const {
    const std::string name = value("slot" + std::to_string(slot) + ".name");
    return name.empty() ? "Player " + std::to_string(slot + 1) : name;
}

int SetupModel::playerCount() const {
    return static_cast<int>(enabledSlots(edited_).size());
}

std::string SetupModel::playRefusal() const {
    if (playerCount() >= 2) return "";
    return "A match needs two players or more: tick Plays for another player, or let the "
           "computer steer one";
}

std::optional<unsigned> SetupModel::suggestedLimit() const {
    const int players = playerCount();
    if (players < 2 || value("mode") != "score") return std::nullopt;
    const unsigned suggested = kPointsPerOpponent * static_cast<unsigned>(players - 1);
    if (std::to_string(suggested) == value("limit")) return std::nullopt;
    return suggested;
}

void SetupModel::restoreDefaults() {
    edited_ = defaultSettings();
    editedKeys_ = TextSettings{};
    refusals_.clear();
    leftOutNote_.clear();
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
