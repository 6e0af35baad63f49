// Parsing key names and key timelines for the headless runner.
#include "tools/match_runner/key_script.h"

#include <cctype>
#include <map>
#include <sstream>
#include <stdexcept>

#include "core/bindings.h"
#include "core/keys.h"

int parseFrame(const std::string& text, const std::string& event) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        throw std::invalid_argument("bad frame number '" + text + "' in event '" + event + "'");
    return std::stoi(text);
}

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

namespace {

// The runner's short names of keys whose names are long; every name of the key table
// (core/keys.h) works too, letters and digits by their character.
const std::map<std::string, std::uint8_t> kShortNames = {
    {"esc", vk::kEscape},
    {"return", vk::kReturn},
    {"left", vk::kLeft},
    {"right", vk::kRight},
    {"up", vk::kUp},
    {"down", vk::kDown},
    {"pageup", vk::kPageUp},
    {"kp/", vk::kKeypadDivide},
    {"kp-", vk::kKeypadSubtract},
    {"kp*", vk::kKeypadMultiply},
};

}  // namespace

std::uint8_t scriptKeyByName(const std::string& name) {
    const std::string key = lowerCase(name);
    if (auto found = kShortNames.find(key); found != kShortNames.end()) return found->second;
    if (const std::uint8_t named = keyByName(name); named != 0) return named;
    if (!key.empty() && key.size() <= 3 &&
        key.find_first_not_of("0123456789") == std::string::npos) {
        const int code = std::stoi(key);
        if (code >= 1 && code <= 255) return static_cast<std::uint8_t>(code);
    }
    throw std::invalid_argument("unknown key '" + name +
                                "' (a name such as space, left, q, Page Down, or a code 1 to 255)");
}

std::vector<KeyEvent> parseKeyEvent(const std::string& text) {
    const auto colon = text.find(':');
    if (colon == std::string::npos)
        throw std::invalid_argument(
            "key event '" + text +
            "' is neither FRAME:down:KEY, FRAME:up:KEY nor FRAME+FRAMES:KEY");
    const std::string when = text.substr(0, colon);
    const std::string rest = text.substr(colon + 1);
    if (const auto plus = when.find('+'); plus != std::string::npos) {
        const int frame = parseFrame(when.substr(0, plus), text);
        const int length = parseFrame(when.substr(plus + 1), text);
        const std::uint8_t key = scriptKeyByName(rest);
        return {{frame, true, key}, {frame + length, false, key}};
    }
    const int frame = parseFrame(when, text);
    const auto second = rest.find(':');
    const std::string action = lowerCase(rest.substr(0, second));
    if (second == std::string::npos || (action != "down" && action != "up"))
        throw std::invalid_argument("key event '" + text + "' needs down or up: FRAME:down:KEY");
    return {{frame, action == "down", scriptKeyByName(rest.substr(second + 1))}};
}

std::vector<KeyEvent> parseKeyScript(const std::string& script) {
    std::vector<KeyEvent> events;
    std::istringstream lines(script);
    std::string line;
    while (std::getline(lines, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string word;
        while (words >> word) {
            for (const KeyEvent& event : parseKeyEvent(word)) events.push_back(event);
        }
    }
    return events;
}
