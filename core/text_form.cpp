// The settings text: a section-less head of match settings, a section per slot and, only when
// needed, a [raw] section with exact stored bytes. Reading it is left to the INI reader.
#include "core/text_form.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <sstream>

#include "core/codepage.h"
#include "core/config_error.h"
#include "core/faults.h"
#include "core/ini_reader.h"
#include "core/keys_file.h"
#include "core/setting_fields.h"
#include "core/text.h"

namespace {

constexpr std::size_t kLineWidth = 100;
constexpr std::size_t kChunkBytes = 60;  // text on each line of a long quoted value
constexpr std::size_t kHexPerLine = 16;
constexpr const char* kContinuationIndent = "    ";

const char* const kHeader =
    "# Quorl settings: the text form of a config file, as written by quorl-config export.\n"
    "# Turn it into a config file with: quorl-config import THIS-FILE [CONFIG]\n"
    "# The names are those of quorl-config set; a setting left out takes its default value.\n"
    "# Lines starting with # or ; are comments. Names and patterns stand in double quotes; a long\n"
    "# one may go on over indented lines, each part in its own quotes.\n";

// True when the stored value of `field` is one that its named setting cannot express: a flag
// byte other than 0 or 1, reserved bytes in use, a player count that differs from the enabled
// slots, or a name or pattern that is not plain text.
bool needsRaw(const SettingsBytes& bytes, const SettingField& field) {
    const auto first = bytes.begin() + field.offset;
    const std::string text = fieldText(field.chars(bytes), field.width);
    const bool plain = fieldIsClean(field.chars(bytes), field.width);
    switch (field.kind) {
        case FieldKind::reserved:
            return std::any_of(first, first + field.width, [](std::uint8_t b) { return b != 0; });
        case FieldKind::playerCount:
            return *first != enabledSlotCount(decoded(bytes));
        case FieldKind::name:
            return !plain ||
                   !std::all_of(text.begin(), text.end(), [](char c) { return fontDraws(c); });
        case FieldKind::pattern:
            // inih ends a value at a ';' that follows white space.
            return !plain || !patternNameProblem(text).empty() ||
                   text.find(" ;") != std::string::npos;
        default:
            return *first > 1;
    }
}

// --- Writing ---

std::string comment(const std::string& text) {
    return wrapText(text, kLineWidth, "# ");
}

// `value` in double quotes, split into quoted parts on indented lines when long; a split never
// falls inside a UTF-8 sequence.
std::string quotedValue(const std::string& value) {
    std::string text;
    std::size_t start = 0;
    do {
        std::size_t end = std::min(value.size(), start + kChunkBytes);
        while (end < value.size() && end > start + 1 && (value[end] & 0xC0) == 0x80) --end;
        if (start > 0) text += std::string("\n") + kContinuationIndent;
        text += "\"" + value.substr(start, end - start) + "\"";
        start = end;
    } while (start < value.size());
    return text;
}

std::string hexValue(const SettingsBytes& bytes, const SettingField& field) {
    const auto first = bytes.begin() + field.offset;
    std::size_t shown = field.width;
    // A pattern's trailing zeros are left out: its field is long and mostly empty.
    if (field.width > kHexPerLine) {
        while (shown > 1 && first[shown - 1] == 0) --shown;
    }
    std::string text;
    for (std::size_t i = 0; i < shown; ++i) {
        if (i > 0) text += i % kHexPerLine == 0 ? std::string("\n") + kContinuationIndent : " ";
        text += hexEscape(first[i]).substr(2);
    }
    return text;
}

std::string settingLine(const SettingField& field, const SettingsBytes& bytes,
                        const std::set<std::string>& rawNames) {
    if (rawNames.count(field.name) != 0) {
        return "# " + field.key + ": its exact stored value is under [raw] below\n";
    }
    const std::string value = field.format(bytes);
    return field.key + " = " + (field.isText() ? quotedValue(value) : value) + "\n";
}

// A setting of the keys file with its value, and before it its comment when `explained`.
std::string textFieldLines(const TextField& field, const TextSettings& text, int slot,
                           bool explained) {
    std::string lines;
    if (explained) {
        lines =
            comment(std::string(field.meaning) + " It goes to the file keys beside the config.") +
            comment(std::string("Allowed: ") + field.allowed + ".");
    }
    return lines + field.key + " = " + field.format(text, slot) + "\n";
}

std::string slotSections(const SettingsBytes& bytes, const TextSettings& keys,
                         const std::set<std::string>& rawNames) {
    std::string text = "\n" + comment(
                                  "The six player slots. enabled: yes or no. name: at most 10 "
                                  "characters, of " +
                                  drawableCharacters() +
                                  ". pattern: the image of the line, a file in the folder "
                                  "patterns/ beside the config. left, right, fire: the keys that "
                                  "turn the line and fire, by the names of quorl-config keys "
                                  "--list; they go to the file keys beside the config. computer: "
                                  "no when people steer the slot, or the computer's level: easy, "
                                  "normal or hard; it goes to the file keys too.");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        text += "\n[slot" + std::to_string(slot) + "]\n";
        for (const SettingField& field : settingFields()) {
            if (field.slot == slot) text += settingLine(field, bytes, rawNames);
        }
        for (const KeyRole role : kKeyRoles) {
            text += std::string(keyRoleName(role)) + " = " +
                    keyName(keyFor(keys.bindings[slot], role)) + "\n";
        }
        for (const TextField& field : textFields()) {
            if (field.perSlot) text += textFieldLines(field, keys, slot, false);
        }
    }
    return text;
}

std::string rawSection(const SettingsBytes& bytes, const std::set<std::string>& rawNames) {
    std::string text =
        "\n[raw]\n"
        "# Stored values that the settings above cannot express, applied after them:\n"
        "#   reserved: bytes 16-20, which the game does not read, in hex\n"
        "#   player-count: the player count stored at byte 27\n"
        "#   mode, pickups, fullscreen, slotN.enabled: the stored byte, 0-255\n"
        "#   slotN.name, slotN.pattern: the bytes of the field in hex; the rest of it is zero\n";
    for (const SettingField& field : rawFields()) {
        if (rawNames.count(field.name) == 0) continue;
        const std::string value =
            field.width > 1 ? hexValue(bytes, field) : std::to_string(bytes[field.offset]);
        text += field.name + " = " + value + "\n";
    }
    return text;
}

// --- Reading ---

struct TextEntry {
    std::string name;                 // "section.key", or "key" before any section
    std::vector<std::string> pieces;  // the value and its continuation lines
    int line;
};

// The text's entries by their full names, each once, and what is wrong with its lines.
struct ParsedText {
    std::vector<TextEntry> entries;
    std::vector<Fault> problems;
};

ParsedText parseText(const std::string& text) {
    const IniText ini = readIni(text, true);
    ParsedText parsed;
    for (const IniLineFault& fault : ini.faults) {
        switch (fault.kind) {
            case IniLineFault::Kind::nul:
                parsed.problems.push_back({fault.line, "the line holds a NUL byte"});
                break;
            case IniLineFault::Kind::tooLong:
                parsed.problems.push_back({fault.line, "the line is longer than " +
                                                           std::to_string(ini.maxLineLength) +
                                                           " characters"});
                break;
            default:
                parsed.problems.push_back(
                    {fault.line,
                     "not a setting: expected NAME = VALUE, a [section] or a # comment"});
        }
    }
    for (const IniEntry& entry : ini.entries) {
        const std::string name =
            lowerAscii(entry.section.empty() ? entry.name : entry.section + "." + entry.name);
        const auto first = std::find_if(parsed.entries.begin(), parsed.entries.end(),
                                        [&](const TextEntry& e) { return e.name == name; });
        if (first == parsed.entries.end()) {
            parsed.entries.push_back({name, entry.pieces, entry.line});
        } else {
            parsed.problems.push_back({entry.line, name + " is given twice (first on line " +
                                                       std::to_string(first->line) + ")"});
        }
    }
    return parsed;
}

bool isQuoted(const std::string& piece) {
    return piece.size() >= 2 && piece.front() == '"' && piece.back() == '"';
}

// The value of an entry. Text may stand in quotes and go on over lines in quoted parts; any
// other value takes a single line.
std::string valueOf(const TextEntry& entry, bool isText) {
    const std::vector<std::string>& pieces = entry.pieces;
    if (pieces.size() == 1) {
        return isText && isQuoted(pieces[0]) ? pieces[0].substr(1, pieces[0].size() - 2)
                                             : pieces[0];
    }
    if (!isText) {
        throw ConfigError(entry.name +
                          " goes on over an indented line; only quoted text may do that "
                          "(remove the indentation to start a new setting)");
    }
    std::string value;
    for (const std::string& piece : pieces) {
        if (!isQuoted(piece)) {
            throw ConfigError(entry.name + ": a value split over lines needs each part in quotes");
        }
        value += piece.substr(1, piece.size() - 2);
    }
    return value;
}

void applyRaw(const SettingField& field, const TextEntry& entry, SettingsBytes& bytes) {
    const std::string name = "raw." + field.name;
    if (field.width == 1) {
        const std::string value = valueOf(entry, false);
        bytes[field.offset] = static_cast<std::uint8_t>(
            parseNumber(name, value, 255, "a whole number from 0 to 255"));
        return;
    }
    std::vector<std::uint8_t> data;
    for (const std::string& piece : entry.pieces) {
        std::istringstream tokens(piece);
        for (std::string token; tokens >> token;) {
            if (token.size() != 2 || !std::isxdigit(static_cast<unsigned char>(token[0])) ||
                !std::isxdigit(static_cast<unsigned char>(token[1]))) {
                throw ConfigError(name + ": " + quoted(token) +
                                  " is not a byte in hex (allowed: two hex digits, 00 to FF)");
            }
            data.push_back(static_cast<std::uint8_t>(std::stoi(token, nullptr, 16)));
        }
    }
    if (data.empty() || data.size() > field.width) {
        throw ConfigError(name + ": " + std::to_string(data.size()) + " bytes (allowed: 1 to " +
                          std::to_string(field.width) +
                          " bytes in hex, the rest of the field being zero)");
    }
    std::fill_n(bytes.begin() + field.offset, field.width, 0);
    std::copy(data.begin(), data.end(), bytes.begin() + field.offset);
}

}  // namespace

std::string exportText(const SettingsBytes& bytes, const TextSettings& keys) {
    std::set<std::string> rawNames;
    for (const SettingField& field : rawFields()) {
        if (needsRaw(bytes, field)) rawNames.insert(field.name);
    }
    std::string text = kHeader;
    for (const SettingField& field : settingFields()) {
        if (field.slot >= 0) continue;
        text += "\n" + comment(field.meaning) + comment("Allowed: " + field.allowed + ".") +
                settingLine(field, bytes, rawNames);
    }
    for (const TextField& field : textFields()) {
        if (!field.perSlot) text += "\n" + textFieldLines(field, keys, -1, true);
    }
    text += slotSections(bytes, keys, rawNames);
    if (!rawNames.empty()) text += rawSection(bytes, rawNames);
    return text;
}

ImportedText importSettingsText(const std::string& text, const std::string& source) {
    ParsedText reader = parseText(text);
    std::vector<Fault>& problems = reader.problems;
    // Runs `apply`, keeping the ConfigError it throws as a problem of the entry's line.
    const auto collect = [&problems](const TextEntry& entry, auto apply) {
        try {
            apply();
        } catch (const ConfigError& error) {
            problems.push_back({entry.line, error.what()});
        }
    };
    ImportedText imported;
    SettingsBytes& bytes = imported.bytes;
    bytes = encoded(defaultSettings());
    std::vector<KeyEntry> keys;
    TextSettings otherKeysFileSettings;
    bool keysFileGiven = false;
    for (const TextEntry& entry : reader.entries) {
        const std::optional<KeyHolder> holder = findKeyField(entry.name);
        const auto isEntry = [&](const SettingField& f) { return "raw." + f.name == entry.name; };
        if (holder) {
            keysFileGiven = true;
            collect(entry, [&] { keys.push_back({*holder, valueOf(entry, false), entry.line}); });
        } else if (findTextField(entry.name)) {
            keysFileGiven = true;
            collect(entry, [&] {
                applyTextAssignments(otherKeysFileSettings, {{entry.name, valueOf(entry, false)}});
            });
        } else if (entry.name.rfind("raw.", 0) == 0) {
            if (std::none_of(rawFields().begin(), rawFields().end(), isEntry))
                problems.push_back({entry.line, "unknown raw value " + quoted(entry.name)});
        } else {
            collect(entry, [&] {
                const SettingField* field = findSettingField(entry.name);
                if (field == nullptr) throw ConfigError("unknown setting " + quoted(entry.name));
                field->assign(bytes, valueOf(entry, field->isText()));
            });
        }
    }
    // The raw values go last, in the order of rawFields(); the player count first matches the
    // enabled slots.
    for (const SettingField& field : rawFields()) {
        if (field.kind == FieldKind::playerCount)
            bytes[field.offset] = static_cast<std::uint8_t>(enabledSlotCount(decoded(bytes)));
        for (const TextEntry& entry : reader.entries) {
            if (entry.name == "raw." + field.name)
                collect(entry, [&] { applyRaw(field, entry, bytes); });
        }
    }
    if (keysFileGiven) {
        const KeysFile bound = bindKeys(keys);
        problems.insert(problems.end(), bound.faults.begin(), bound.faults.end());
        otherKeysFileSettings.bindings = bound.bindings;
        imported.keys = otherKeysFileSettings;
    }
    if (!problems.empty()) throw ConfigError(faultList(problems, source));
    return imported;
}

SettingsBytes importText(const std::string& text, const std::string& source) {
    return importSettingsText(text, source).bytes;
}
