// Trimming, folding, quoting, joining and wrapping text.
#include "core/text.h"

#include <cstdint>
#include <cstdio>
#include <sstream>

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string folded(const std::string& text) {
    std::string out;
    for (const char c : trimmed(text)) {
        if (c == ' ' || c == '\t') {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        }
    }
    return out;
}

std::string lowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string quoted(const std::string& value) {
    std::string text = "\"";
    for (const char c : value) {
        const auto byte = static_cast<std::uint8_t>(c);
        text += byte < 0x20 || byte == 0x7F ? hexEscape(byte) : std::string(1, c);
    }
    return text + "\"";
}

std::string quotedAscii(const std::string& text) {
    constexpr std::size_t kShown = 40;
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
        const auto byte = static_cast<std::uint8_t>(text[i]);
        out += byte >= 0x20 && byte < 0x7F ? std::string(1, text[i]) : hexEscape(byte);
    }
    return out + (text.size() > kShown ? "...\"" : "\"");
}

std::string hexEscape(std::uint8_t byte) {
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02X", byte);
    return text;
}

std::string counted(std::size_t count, const std::string& noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
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
