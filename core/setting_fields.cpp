// The table of named settings: where each one is stored, how it is read, written and shown, the
// values it accepts and its default. The slots' settings are made from one row each, for all six
// slots.
#include "core/setting_fields.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cstring>
#include <optional>
#include <set>
#include <sstream>

#include "core/codepage.h"
#include "core/config_error.h"
#include "core/text.h"

namespace {

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
    // The default, as `set` takes it: for a slot setting, each slot's in slot order.
    std::array<const char*, kSlotCount> defaults;
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

// Where a row's value is stored: the field of the record, or slot 0's element of it.
#define QUORL_FIELD(field) settings_offset::field, sizeof(Settings::field)
#define QUORL_SLOT_FIELD(field) settings_offset::field, sizeof(Settings::field[0])

// The background colour is one setting of three bytes: red, green and blue in a row.
constexpr std::size_t kColourWidth = 3;
static_assert(settings_offset::clearColorGreen == settings_offset::clearColorRed + 1 &&
              settings_offset::clearColorBlue == settings_offset::clearColorRed + 2);

// The named settings in the order of the text form; every other part of the tool reads them
// from here.
const FieldRow kMatchRows[] = {
    {"mode",
     FieldKind::mode,
     QUORL_FIELD(fixedRounds),
     "Match mode",
     "score: a match ends once a player's score reaches the limit",
     "rounds: a match lasts as many rounds as the limit",
     nullptr,
     "How a match ends: score = once a player's score reaches the limit, rounds = after as many "
     "rounds as the limit.",
     {"score"}},
    {"limit",
     FieldKind::number,
     QUORL_FIELD(matchLimit),
     "Match limit",
     nullptr,
     nullptr,
     describeLimit,
     "The winning score, or in rounds mode the number of rounds.",
     {"10"}},
    {"speed",
     FieldKind::number,
     QUORL_FIELD(speed),
     "Speed",
     " px/s",
     nullptr,
     nullptr,
     "Speed of the lines, in pixels per second.",
     {"110"}},
    {"turn-rate",
     FieldKind::number,
     QUORL_FIELD(turnRate),
     "Turn rate",
     " degrees/s",
     nullptr,
     nullptr,
     "How fast a line turns, in degrees per second.",
     {"180"}},
    {"line-width",
     FieldKind::number,
     QUORL_FIELD(lineWidth),
     "Line width",
     " px",
     nullptr,
     nullptr,
     "Thickness of the lines, in pixels.",
     {"5"}},
    {"gap-length",
     FieldKind::number,
     QUORL_FIELD(gapLength),
     "Gap length",
     " px",
     nullptr,
     nullptr,
     "Length of the gaps that open in the lines, in pixels.",
     {"18"}},
    {"gap-interval",
     FieldKind::number,
     QUORL_FIELD(gapInterval),
     "Gap interval",
     nullptr,
     nullptr,
     describeGapInterval,
     "Seconds between two gaps in a line; 0 means no gaps.",
     {"3"}},
    {"pickups",
     FieldKind::flag,
     QUORL_FIELD(pickupsEnabled),
     "Pickups",
     "off",
     "on",
     nullptr,
     "Whether pickups appear in the arena.",
     {"yes"}},
    {"max-pickups",
     FieldKind::number,
     QUORL_FIELD(maxPickups),
     "Max pickups",
     " at once",
     nullptr,
     nullptr,
     "The most pickups in the arena at once.",
     {"3"}},
    {"hole-radius",
     FieldKind::number,
     QUORL_FIELD(holeRadius),
     "Hole radius",
     nullptr,
     nullptr,
     describeHoleRadius,
     "Size of the square hole a blast makes: half its side, in pixels.",
     {"24"}},
    {"background",
     FieldKind::colour,
     settings_offset::clearColorRed,
     kColourWidth,
     "Background colour",
     " (red,green,blue)",
     nullptr,
     nullptr,
     "Colour of the arena background.",
     {"12,12,20"}},
    {"fullscreen",
     FieldKind::flag,
     QUORL_FIELD(fullscreen),
     "Full screen",
     "no: in a window",
     "yes",
     nullptr,
     "Full screen (yes) or a window (no).",
     {"no"}},
    {"swap-interval",
     FieldKind::number,
     QUORL_FIELD(swapInterval),
     "Swap interval",
     "",
     nullptr,
     nullptr,
     "Buffer swap interval: 0 = draw without waiting, 1 = wait for each screen refresh (vertical "
     "sync).",
     {"1"}},
};

// Each slot's settings, made for all six slots.
const FieldRow kSlotRows[] = {
    {"enabled",
     FieldKind::flag,
     QUORL_SLOT_FIELD(slotEnabled),
     "Slot #",
     "disabled",
     "enabled",
     nullptr,
     "Whether the slot takes part in the match.",
     {"yes", "no", "no", "no", "no", "yes"}},
    {"name",
     FieldKind::name,
     QUORL_SLOT_FIELD(playerName),
     "  Name",
     nullptr,
     nullptr,
     nullptr,
     "The player's name.",
     {"Red", "Green", "Blue", "Yellow", "Magenta", "Cyan"}},
    {"pattern",
     FieldKind::pattern,
     QUORL_SLOT_FIELD(patternFile),
     "  Pattern",
     nullptr,
     nullptr,
     nullptr,
     "The image of the line: a file in the folder patterns/ beside the config.",
     {"red.png", "green.png", "blue.png", "yellow.png", "magenta.png", "cyan.png"}},
};

// Stored values without a name of their own, which only the text form's [raw] section writes.
const FieldRow kReservedRow{
    "reserved", FieldKind::reserved, QUORL_FIELD(reserved), "", nullptr, nullptr, nullptr, "", {}};
const FieldRow kPlayerCountRow{"player-count",
                               FieldKind::playerCount,
                               QUORL_FIELD(playerCount),
                               "",
                               nullptr,
                               nullptr,
                               nullptr,
                               "",
                               {}};

[[noreturn]] void rejectValue(const std::string& name, const std::string& value,
                              const std::string& problem, const std::string& allowed) {
    throw ConfigError(name + " = " + quoted(value) + ": " + problem + " (allowed: " + allowed +
                      ")");
}

// The value of a string of decimal digits (ULONG_MAX when it overflows); nothing for any other
// text.
}  // namespace

std::optional<unsigned long> wholeNumber(const std::string& text) {
    const std::string digits = trimmed(text);
    const char* last = digits.data() + digits.size();
    unsigned long number = 0;
    const auto result = std::from_chars(digits.data(), last, number);
    if (digits.empty() || result.ptr != last) return std::nullopt;
    return result.ec == std::errc::result_out_of_range ? ULONG_MAX : number;
}

namespace {

// The largest number a field of `width` bytes holds.
unsigned long largest(std::size_t width) {
    return (1ul << (8 * width)) - 1;
}

std::string allowedValues(FieldKind kind, std::size_t width) {
    switch (kind) {
        case FieldKind::number:
            return "a whole number from 0 to " + std::to_string(largest(width));
        case FieldKind::flag:
            return kFlagWords;
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
    const char* defaultValue = row.defaults[slot < 0 ? 0 : slot];
    return {name,
            slot,
            row.key,
            row.kind,
            offset,
            row.width,
            label,
            row.meaning,
            row.shown,
            row.shownSet,
            row.describe,
            allowedValues(row.kind, row.width),
            defaultValue ? defaultValue : ""};
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
            const std::optional<bool> flag = flagWord(value);
            if (!flag) rejectValue(name, value, "neither yes nor no", allowed);
            *at = *flag;
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

std::optional<bool> flagWord(const std::string& value) {
    // The words for no, then those for yes.
    const std::string words[] = {"no", "off", "false", "0", "yes", "on", "true", "1"};
    const auto found = std::find(std::begin(words), std::end(words), lowerAscii(trimmed(value)));
    if (found == std::end(words)) return std::nullopt;
    return found - words >= 4;
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
    SettingsBytes bytes{};
    for (const SettingField& field : settingFields()) field.assign(bytes, field.defaultValue);
    Settings s = decoded(bytes);
    s.playerCount = static_cast<std::uint8_t>(enabledSlotCount(s));
    return s;
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
