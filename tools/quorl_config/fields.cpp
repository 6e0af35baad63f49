// The table of named settings: where each one is stored, how it is read, written and shown, and
// the values it accepts. The slots' settings are made from one row each, for all six slots.
#include "tools/quorl_config/fields.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>
#include <optional>
#include <set>
#include <sstream>

#include "tools/quorl_config/codepage.h"
#include "tools/quorl_config/config_error.h"

namespace {

constexpr const char* kYesNo = "yes, no, on, off, true, false, 1 or 0";
constexpr const char* kColourRule =
    "red,green,blue: three whole numbers from 0 to 255, e.g. 20,20,30";

struct FieldRow {
    const char* key;
    FieldKind kind;
    std::size_t offset;  // of slot 0's field for a slot setting
    std::size_t width;   // also the distance between two slots' fields
    const char* label;   // '#' stands for the slot
    const char* shown;   // a number's unit, or a flag's word when it is unset
    const char* shownSet;
    DescribeNumber describe;
    const char* meaning;
};

std::string describeLimit(const SettingsBytes& bytes, unsigned value) {
    return std::to_string(value) +
           (bytes[settings_offset::fixedRounds] != 0 ? " rounds" : " points");
}

std::string describeGapInterval(const SettingsBytes&, unsigned value) {
    return value == 0 ? "0 (no gaps)" : "every " + std::to_string(value) + " s";
}

std::string describeHoleRadius(const SettingsBytes&, unsigned value) {
    return std::to_string(value) + " px (holes " + std::to_string(2 * value) + " px wide)";
}

namespace at = settings_offset;
// The named settings in the order of the text form; every other part of the tool reads them
// from here.
const FieldRow kMatchRows[] = {
    {"mode", FieldKind::mode, at::fixedRounds, 1, "Match mode",
     "score: a match ends once a player's score reaches the limit",
     "rounds: a match lasts as many rounds as the limit", nullptr,
     "How a match ends: score = once a player's score reaches the limit, rounds = after as many "
     "rounds as the limit."},
    {"limit", FieldKind::number, at::matchLimit, 1, "Match limit", nullptr, nullptr, describeLimit,
     "The winning score, or in rounds mode the number of rounds."},
    {"speed", FieldKind::number, at::speed, 2, "Speed", " px/s", nullptr, nullptr,
     "Speed of the lines, in pixels per second."},
    {"turn-rate", FieldKind::number, at::turnRate, 1, "Turn rate", " degrees/s", nullptr, nullptr,
     "How fast a line turns, in degrees per second."},
    {"line-width", FieldKind::number, at::lineWidth, 1, "Line width", " px", nullptr, nullptr,
     "Thickness of the lines, in pixels."},
    {"gap-length", FieldKind::number, at::gapLength, 1, "Gap length", " px", nullptr, nullptr,
     "Length of the gaps that open in the lines, in pixels."},
    {"gap-interval", FieldKind::number, at::gapInterval, 1, "Gap interval", nullptr, nullptr,
     describeGapInterval, "Seconds between two gaps in a line; 0 means no gaps."},
    {"pickups", FieldKind::flag, at::pickupsEnabled, 1, "Pickups", "off", "on", nullptr,
     "Whether pickups appear in the arena."},
    {"max-pickups", FieldKind::number, at::maxPickups, 1, "Max pickups", " at once", nullptr,
     nullptr, "The most pickups in the arena at once."},
    {"hole-radius", FieldKind::number, at::holeRadius, 1, "Hole radius", nullptr, nullptr,
     describeHoleRadius, "Size of the square hole a blast makes: half its side, in pixels."},
    {"background", FieldKind::colour, at::clearColorRed, 3, "Background colour",
     " (red,green,blue)", nullptr, nullptr, "Colour of the arena background."},
    {"fullscreen", FieldKind::flag, at::fullscreen, 1, "Full screen", "no: in a window", "yes",
     nullptr, "Full screen (yes) or a window (no)."},
    {"swap-interval", FieldKind::number, at::swapInterval, 1, "Swap interval", "", nullptr, nullptr,
     "Buffer swap interval: 0 = draw without waiting, 1 = wait for each screen refresh (vertical "
     "sync)."},
};

// Each slot's settings, made for all six slots.
const FieldRow kSlotRows[] = {
    {"enabled", FieldKind::flag, at::slotEnabled, 1, "Slot #", "disabled", "enabled", nullptr,
     "Whether the slot takes part in the match."},
    {"name", FieldKind::name, at::playerName, kNameFieldSize, "  Name", nullptr, nullptr, nullptr,
     "The player's name."},
    {"pattern", FieldKind::pattern, at::patternFile, kPatternFieldSize, "  Pattern", nullptr,
     nullptr, nullptr, "The image of the line: a file in the folder patterns/ beside the config."},
};

// Stored values without a name of their own, which only the text form's [raw] section writes.
const FieldRow kReservedRow{
    "reserved", FieldKind::reserved, at::reserved, kReservedSize, "", nullptr, nullptr, nullptr,
    ""};
const FieldRow kPlayerCountRow{
    "player-count", FieldKind::playerCount, at::playerCount, 1, "", nullptr, nullptr, nullptr, ""};

[[noreturn]] void rejectValue(const std::string& name, const std::string& value,
                              const std::string& problem, const std::string& allowed) {
    throw ConfigError(name + " = " + quoted(value) + ": " + problem + " (allowed: " + allowed +
                      ")");
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The value of a string of decimal digits (ULONG_MAX when it overflows); nothing for any other
// text.
std::optional<unsigned long> wholeNumber(const std::string& text) {
    const std::string digits = trimmed(text);
    const char* last = digits.data() + digits.size();
    unsigned long number = 0;
    const auto result = std::from_chars(digits.data(), last, number);
    if (digits.empty() || result.ptr != last) return std::nullopt;
    return result.ec == std::errc::result_out_of_range ? ULONG_MAX : number;
}

// The largest number a field of `width` bytes holds.
unsigned long largest(std::size_t width) {
    return (1ul << (8 * width)) - 1;
}

std::string allowedValues(FieldKind kind, std::size_t width) {
    switch (kind) {
        case FieldKind::number:
            return "a whole number from 0 to " + std::to_string(largest(width));
        case FieldKind::flag:
            return kYesNo;
        case FieldKind::mode:
            return "rounds or score";
        case FieldKind::colour:
            return kColourRule;
        case FieldKind::name:
            return "at most " + std::to_string(width - 1) + " characters: " + drawableCharacters();
        case FieldKind::pattern:
            return "a file name of 1 to " + std::to_string(width - 1) + " bytes, without '/'";
        default:
            return "";
    }
}

SettingField makeField(const FieldRow& row, int slot) {
    std::string name = row.key, label = row.label;
    std::size_t offset = row.offset;
    if (slot >= 0) {
        name = "slot" + std::to_string(slot) + "." + name;
        const std::size_t mark = label.find('#');
        if (mark != std::string::npos) label.replace(mark, 1, std::to_string(slot));
        offset += slot * row.width;
    }
    return {name,      slot,         row.key,      row.kind,
            offset,    row.width,    label,        row.meaning,
            row.shown, row.shownSet, row.describe, allowedValues(row.kind, row.width)};
}

void storeText(std::uint8_t* field, std::size_t width, const std::string& text) {
    std::memset(field, 0, width);
    std::memcpy(field, text.data(), text.size());
}

unsigned numberAt(const SettingsBytes& bytes, std::size_t offset, std::size_t width) {
    return width == 2 ? bytes[offset] | bytes[offset + 1] << 8 : bytes[offset];
}

void assignColour(const SettingField& field, std::uint8_t* channels, const std::string& value) {
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = i < 2 ? value.find(',', start) : value.size();
        const std::optional<unsigned long> number =
            comma == std::string::npos ? std::nullopt
                                       : wholeNumber(value.substr(start, comma - start));
        if (!number || *number > 255) rejectValue(field.name, value, "not a colour", field.allowed);
        channels[i] = static_cast<std::uint8_t>(*number);
        start = comma + 1;
    }
}

}  // namespace

void SettingField::assign(SettingsBytes& bytes, const std::string& value) const {
    std::uint8_t* at = bytes.data() + offset;
    const std::string word = lowerAscii(trimmed(value));
    switch (kind) {
        case FieldKind::number: {
            const unsigned long number = parseNumber(name, value, largest(width), allowed);
            at[0] = static_cast<std::uint8_t>(number);
            if (width == 2) at[1] = static_cast<std::uint8_t>(number >> 8);
            break;
        }
        case FieldKind::flag: {
            // The words for no, then those for yes.
            const std::string words[] = {"no", "off", "false", "0", "yes", "on", "true", "1"};
            const auto found = std::find(std::begin(words), std::end(words), word);
            if (found == std::end(words)) rejectValue(name, value, "neither yes nor no", allowed);
            *at = found - words >= 4;
            break;
        }
        case FieldKind::mode:
            if (word != "rounds" && word != "score") {
                rejectValue(name, value, "no such match mode", allowed);
            }
            *at = word == "rounds";
            break;
        case FieldKind::colour:
            assignColour(*this, at, value);
            break;
        case FieldKind::name: {
            std::string text;
            try {
                text = utf8ToGameBytes(value);
            } catch (const ConfigError& error) {
                rejectValue(name, value, error.what(), allowed);
            }
            if (text.size() >= width) {
                rejectValue(name, value, std::to_string(text.size()) + " characters long", allowed);
            }
            storeText(at, width, text);
            break;
        }
        case FieldKind::pattern: {
            const std::string problem = patternNameProblem(value);
            if (!problem.empty()) rejectValue(name, value, problem, allowed);
            storeText(at, width, value);
            break;
        }
        default:
            break;
    }
}

std::string SettingField::format(const SettingsBytes& bytes) const {
    const std::uint8_t byte = bytes[offset];
    switch (kind) {
        case FieldKind::flag:
            return byte != 0 ? "yes" : "no";
        case FieldKind::mode:
            return byte != 0 ? "rounds" : "score";
        case FieldKind::colour:
            return std::to_string(byte) + "," + std::to_string(bytes[offset + 1]) + "," +
                   std::to_string(bytes[offset + 2]);
        case FieldKind::name:
            return gameBytesToUtf8(fieldText(chars(bytes), width));
        case FieldKind::pattern:
            return fieldText(chars(bytes), width);
        default:
            return std::to_string(numberAt(bytes, offset, width));
    }
}

std::string SettingField::format(const Settings& s) const {
    return format(encoded(s));
}

std::string SettingField::shownValue(const SettingsBytes& bytes) const {
    const std::uint8_t byte = bytes[offset];
    if (kind == FieldKind::flag || kind == FieldKind::mode) {
        return (byte != 0 ? shownSet : shown) +
               (byte > 1 ? " (stored as " + std::to_string(byte) + ")" : std::string());
    }
    if (isText()) {
        const char* field = chars(bytes);
        // Shown as the game's font would draw a name, so that odd bytes stand out.
        const std::string text = gameBytesToUtf8(fieldText(field, width));
        if (strnlen(field, width) == width) return text + " (no terminator)";
        if (!fieldIsClean(field, width)) return text + " (more bytes after its end)";
        return text;
    }
    if (describe != nullptr) return describe(bytes, numberAt(bytes, offset, width));
    return format(bytes) + shown;
}

unsigned long parseNumber(const std::string& name, const std::string& value, unsigned long max,
                          const std::string& allowed) {
    const std::optional<unsigned long> number = wholeNumber(value);
    if (!number) rejectValue(name, value, "not a whole number", allowed);
    if (*number > max) rejectValue(name, value, "out of range", allowed);
    return *number;
}

const std::vector<SettingField>& settingFields() {
    static const std::vector<SettingField> fields = [] {
        std::vector<SettingField> named;
        for (const FieldRow& row : kMatchRows) named.push_back(makeField(row, -1));
        for (int slot = 0; slot < kSlotCount; ++slot) {
            for (const FieldRow& row : kSlotRows) named.push_back(makeField(row, slot));
        }
        return named;
    }();
    return fields;
}

const std::vector<SettingField>& rawFields() {
    static const std::vector<SettingField> fields = [] {
        std::vector<SettingField> raw{makeField(kReservedRow, -1)};
        for (const SettingField& field : settingFields()) {
            if (field.kind != FieldKind::number && field.kind != FieldKind::colour) {
                raw.push_back(field);
            }
        }
        raw.push_back(makeField(kPlayerCountRow, -1));
        return raw;
    }();
    return fields;
}

const SettingField* findSettingField(const std::string& name) {
    const std::string wanted = lowerAscii(trimmed(name));
    for (const SettingField& field : settingFields()) {
        if (field.name == wanted) return &field;
    }
    return nullptr;
}

void applyAssignments(Settings& s, const std::vector<std::pair<std::string, std::string>>& pairs) {
    SettingsBytes bytes = encoded(s);
    std::vector<std::string> problems;
    std::set<std::string> seen;
    for (const auto& [name, value] : pairs) {
        const SettingField* field = findSettingField(name);
        if (field == nullptr) {
            problems.push_back("unknown setting " + quoted(name) +
                               " (quorl-config set --help lists the names)");
        } else if (!seen.insert(field->name).second) {
            problems.push_back(field->name + " is given more than once");
        } else {
            try {
                field->assign(bytes, value);
            } catch (const ConfigError& error) {
                problems.push_back(error.what());
            }
        }
    }
    if (!problems.empty()) throw ConfigError(joinLines(problems));
    s = decoded(bytes);
    s.playerCount = static_cast<std::uint8_t>(enabledSlotCount(s));
}

Settings defaultSettings() {
    static const char* const kNames[kSlotCount] = {"Red",    "Green",   "Blue",
                                                   "Yellow", "Magenta", "Cyan"};
    Settings s{};
    s.swapInterval = 1;
    s.clearColorRed = 12;
    s.clearColorGreen = 12;
    s.clearColorBlue = 20;
    s.matchLimit = 10;
    s.gapLength = 18;
    s.gapInterval = 3;
    s.lineWidth = 5;
    s.speed = 110;
    s.turnRate = 180;
    s.pickupsEnabled = 1;
    s.maxPickups = 3;
    s.holeRadius = 24;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        std::strcpy(s.playerName[slot], kNames[slot]);
        std::strcpy(s.patternFile[slot], (lowerAscii(kNames[slot]) + ".png").c_str());
    }
    s.slotEnabled[0] = 1;
    s.slotEnabled[5] = 1;
    s.playerCount = 2;
    return s;
}

SettingsBytes encoded(const Settings& s) {
    SettingsBytes bytes{};
    encodeSettings(s, bytes.data());
    return bytes;
}

Settings decoded(const SettingsBytes& bytes) {
    return decodeSettings(bytes.data(), bytes.size());
}

std::string fieldText(const char* field, std::size_t width) {
    return std::string(field, strnlen(field, width));
}

bool fieldIsClean(const char* field, std::size_t width) {
    const std::size_t length = strnlen(field, width);
    for (std::size_t i = length; i < width; ++i) {
        if (field[i] != '\0') return false;
    }
    return length < width;
}

std::string patternNameProblem(const std::string& name) {
    if (name.empty()) return "empty";
    if (name.size() >= kPatternFieldSize) return std::to_string(name.size()) + " bytes long";
    if (name.find('/') != std::string::npos) return "contains the path separator '/'";
    if (name == "." || name == "..") return "names a folder, not a file";
    for (const char c : name) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte < 0x20 || byte == 0x7F) return "contains the control character " + hexEscape(c);
    }
    return "";
}

std::string counted(std::size_t count, const std::string& noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string quoted(const std::string& value) {
    std::string text = "\"";
    for (const char c : value) {
        const auto byte = static_cast<std::uint8_t>(c);
        text += byte < 0x20 || byte == 0x7F ? hexEscape(c) : std::string(1, c);
    }
    return text + "\"";
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

std::string wrapText(const std::string& text, std::size_t width, const std::string& prefix) {
    std::istringstream words(text);
    std::string out, line, word;
    while (words >> word) {
        if (!line.empty() && prefix.size() + line.size() + 1 + word.size() > width) {
            out += prefix + line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    return out + prefix + line + "\n";
}

std::string lowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}
