// The named settings: each one's meaning, the values it accepts, and how it reads and writes the
// settings record.
#include "tools/quorl_config/fields.h"

#include <charconv>
#include <climits>
#include <cstring>
#include <optional>
#include <set>
#include <sstream>

#include "tools/quorl_config/codepage.h"
#include "tools/quorl_config/config_error.h"

namespace {

constexpr std::size_t kMaxNameLength = kNameFieldSize - 1;
constexpr std::size_t kMaxPatternLength = kPatternFieldSize - 1;
constexpr const char* kByteRange = "a whole number from 0 to 255";
constexpr const char* kYesNo = "yes, no, on, off, true, false, 1 or 0";

using Assign = std::function<void(Settings&, const std::string&)>;
using Format = std::function<std::string(const Settings&)>;

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

bool parseYesNo(const std::string& name, const std::string& value) {
    const std::string word = lowerAscii(trimmed(value));
    for (const char* yes : {"yes", "on", "true", "1"}) {
        if (word == yes) return true;
    }
    for (const char* no : {"no", "off", "false", "0"}) {
        if (word == no) return false;
    }
    rejectValue(name, value, "neither yes nor no", kYesNo);
}

void storeText(char* field, std::size_t width, const std::string& text) {
    std::memset(field, 0, width);
    std::memcpy(field, text.data(), text.size());
}

SettingField globalField(const char* key, const char* meaning, const std::string& allowed,
                         Assign assign, Format format) {
    return {key, -1, key, meaning, allowed, false, std::move(assign), std::move(format)};
}

SettingField byteField(const char* key, const char* meaning, std::uint8_t Settings::*member) {
    const std::string name = key;
    return globalField(
        key, meaning, kByteRange,
        [=](Settings& s, const std::string& value) {
            s.*member = static_cast<std::uint8_t>(parseNumber(name, value, 255, kByteRange));
        },
        [=](const Settings& s) { return std::to_string(s.*member); });
}

SettingField flagField(const char* key, const char* meaning, std::uint8_t Settings::*member) {
    const std::string name = key;
    return globalField(
        key, meaning, kYesNo,
        [=](Settings& s, const std::string& value) { s.*member = parseYesNo(name, value); },
        [=](const Settings& s) { return std::string(s.*member != 0 ? "yes" : "no"); });
}

SettingField modeField() {
    const char* allowed = "rounds or score";
    return globalField(
        "mode",
        "How a match ends: score = once a player's score reaches the limit, rounds = after as "
        "many rounds as the limit.",
        allowed,
        [=](Settings& s, const std::string& value) {
            const std::string word = lowerAscii(trimmed(value));
            if (word != "rounds" && word != "score") {
                rejectValue("mode", value, "no such match mode", allowed);
            }
            s.fixedRounds = word == "rounds";
        },
        [](const Settings& s) { return std::string(s.fixedRounds != 0 ? "rounds" : "score"); });
}

SettingField speedField() {
    const char* allowed = "a whole number from 0 to 65535";
    return globalField(
        "speed", "Speed of the lines, in pixels per second.", allowed,
        [=](Settings& s, const std::string& value) {
            s.speed = static_cast<std::uint16_t>(parseNumber("speed", value, 65535, allowed));
        },
        [](const Settings& s) { return std::to_string(s.speed); });
}

void assignColour(Settings& s, const std::string& value, const std::string& allowed) {
    std::uint8_t* channels[] = {&s.clearColorRed, &s.clearColorGreen, &s.clearColorBlue};
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = i < 2 ? value.find(',', start) : value.size();
        const std::optional<unsigned long> number =
            comma == std::string::npos ? std::nullopt
                                       : wholeNumber(value.substr(start, comma - start));
        if (!number || *number > 255) rejectValue("background", value, "not a colour", allowed);
        *channels[i] = static_cast<std::uint8_t>(*number);
        start = comma + 1;
    }
}

SettingField backgroundField() {
    const char* allowed = "red,green,blue: three whole numbers from 0 to 255, e.g. 20,20,30";
    return globalField(
        "background", "Colour of the arena background.", allowed,
        [=](Settings& s, const std::string& value) { assignColour(s, value, allowed); },
        [](const Settings& s) {
            return std::to_string(s.clearColorRed) + "," + std::to_string(s.clearColorGreen) + "," +
                   std::to_string(s.clearColorBlue);
        });
}

SettingField slotField(int slot, const char* key, const char* meaning, const std::string& allowed,
                       Assign assign, Format format) {
    const bool isText = std::strcmp(key, "enabled") != 0;
    return {"slot" + std::to_string(slot) + "." + key,
            slot,
            key,
            meaning,
            allowed,
            isText,
            std::move(assign),
            std::move(format)};
}

SettingField slotEnabledField(int slot) {
    const std::string name = "slot" + std::to_string(slot) + ".enabled";
    return slotField(
        slot, "enabled", "Whether the slot takes part in the match.", kYesNo,
        [=](Settings& s, const std::string& value) {
            s.slotEnabled[slot] = parseYesNo(name, value);
        },
        [=](const Settings& s) { return std::string(s.slotEnabled[slot] != 0 ? "yes" : "no"); });
}

SettingField slotNameField(int slot) {
    const std::string name = "slot" + std::to_string(slot) + ".name";
    const std::string allowed = "at most 10 characters: " + drawableCharacters();
    return slotField(
        slot, "name", "The player's name.", allowed,
        [=](Settings& s, const std::string& value) {
            std::string bytes;
            try {
                bytes = utf8ToGameBytes(value);
            } catch (const ConfigError& error) {
                rejectValue(name, value, error.what(), allowed);
            }
            if (bytes.size() > kMaxNameLength) {
                rejectValue(name, value, std::to_string(bytes.size()) + " characters long",
                            allowed);
            }
            storeText(s.playerName[slot], kNameFieldSize, bytes);
        },
        [=](const Settings& s) {
            return gameBytesToUtf8(fieldText(s.playerName[slot], kNameFieldSize));
        });
}

SettingField slotPatternField(int slot) {
    const std::string name = "slot" + std::to_string(slot) + ".pattern";
    const char* allowed = "a file name of 1 to 253 bytes, without '/'";
    return slotField(
        slot, "pattern", "The image of the line: a file in the folder patterns/ beside the config.",
        allowed,
        [=](Settings& s, const std::string& value) {
            const std::string problem = patternNameProblem(value);
            if (!problem.empty()) rejectValue(name, value, problem, allowed);
            storeText(s.patternFile[slot], kPatternFieldSize, value);
        },
        [=](const Settings& s) { return fieldText(s.patternFile[slot], kPatternFieldSize); });
}

std::vector<SettingField> makeSettingFields() {
    std::vector<SettingField> fields = {
        modeField(),
        byteField("limit", "The winning score, or in rounds mode the number of rounds.",
                  &Settings::matchLimit),
        speedField(),
        byteField("turn-rate", "How fast a line turns, in degrees per second.",
                  &Settings::turnRate),
        byteField("line-width", "Thickness of the lines, in pixels.", &Settings::lineWidth),
        byteField("gap-length", "Length of the gaps that open in the lines, in pixels.",
                  &Settings::gapLength),
        byteField("gap-interval", "Seconds between two gaps in a line; 0 means no gaps.",
                  &Settings::gapInterval),
        flagField("pickups", "Whether pickups appear in the arena.", &Settings::pickupsEnabled),
        byteField("max-pickups", "The most pickups in the arena at once.", &Settings::maxPickups),
        byteField("hole-radius", "Size of the square hole a blast makes: half its side, in pixels.",
                  &Settings::holeRadius),
        backgroundField(),
        flagField("fullscreen", "Full screen (yes) or a window (no).", &Settings::fullscreen),
        byteField("swap-interval",
                  "Buffer swap interval: 0 = draw without waiting, 1 = wait for each screen "
                  "refresh (vertical sync).",
                  &Settings::swapInterval),
    };
    for (int slot = 0; slot < kSlotCount; ++slot) {
        fields.push_back(slotEnabledField(slot));
        fields.push_back(slotNameField(slot));
        fields.push_back(slotPatternField(slot));
    }
    return fields;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

}  // namespace

unsigned long parseNumber(const std::string& name, const std::string& value, unsigned long max,
                          const std::string& allowed) {
    const std::optional<unsigned long> number = wholeNumber(value);
    if (!number) rejectValue(name, value, "not a whole number", allowed);
    if (*number > max) rejectValue(name, value, "out of range", allowed);
    return *number;
}

const std::vector<SettingField>& settingFields() {
    static const std::vector<SettingField> fields = makeSettingFields();
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
    Settings changed = s;
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
                field->assign(changed, value);
            } catch (const ConfigError& error) {
                problems.push_back(error.what());
            }
        }
    }
    if (!problems.empty()) throw ConfigError(joinLines(problems));
    changed.playerCount = static_cast<std::uint8_t>(enabledSlotCount(changed));
    s = changed;
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
        storeText(s.playerName[slot], kNameFieldSize, kNames[slot]);
        storeText(s.patternFile[slot], kPatternFieldSize, lowerAscii(kNames[slot]) + ".png");
    }
    s.slotEnabled[0] = 1;
    s.slotEnabled[5] = 1;
    s.playerCount = 2;
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
    if (name.size() > kMaxPatternLength) return std::to_string(name.size()) + " bytes long";
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
