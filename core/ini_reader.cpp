// Feeding inih line by line: each line is looked at first, so that a fault, a section header and
// every entry carry their line number, and what inih would refuse never reaches it.
#include "core/ini_reader.h"

#include <ini.h>

#include <cstring>
#include <sstream>

#include "core/text.h"

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

struct LineFeed {
    std::istringstream text;
    bool continuations;
    int line = 0;
    bool entrySinceSection = false;
    bool continuing = false;  // inih reads the line as going on from the entry before it
    IniText ini;
};

bool isComment(const std::string& line) {
    return line.empty() || line[0] == '#' || line[0] == ';';
}

// Whether inih finds the name's end, `=` or `:`, before a `;` comment that follows white space.
bool hasSeparator(const std::string& line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '=' || line[i] == ':') return true;
        if (line[i] == ';' && i > 0 && (line[i - 1] == ' ' || line[i - 1] == '\t')) return false;
    }
    return false;
}

// What inih gets for `raw`: the line itself, or nothing for a line left out with its fault.
std::string lineForInih(LineFeed& feed, std::string raw, std::size_t size) {
    if (feed.line == 1 && raw.compare(0, 3, kByteOrderMark) == 0) raw.erase(0, 3);
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    const std::string line = trimmed(raw);
    const bool indented = !raw.empty() && (raw[0] == ' ' || raw[0] == '\t');
    feed.continuing = false;
    if (isComment(line)) return raw;
    const auto fault = [&](IniLineFault::Kind kind) {
        feed.ini.faults.push_back({feed.line, kind});
        return std::string();
    };
    if (raw.find('\0') != std::string::npos) return fault(IniLineFault::Kind::nul);
    if (raw.size() >= size) {
        fault(IniLineFault::Kind::tooLong);
        raw.resize(size - 1);
    }
    feed.continuing = feed.continuations && indented && feed.entrySinceSection;
    if (feed.continuing) return raw;
    if (line[0] == '[') {
        const std::size_t close = line.find(']');
        const bool closed = close != std::string::npos;
        feed.ini.sections.push_back({feed.line, closed ? line.substr(1, close - 1) : line.substr(1),
                                     closed ? trimmed(line.substr(close + 1)) : "",
                                     line.substr(0, closed ? close + 1 : line.size()), closed});
        feed.entrySinceSection = false;
        return closed ? line : fault(IniLineFault::Kind::unclosed);
    }
    if (!hasSeparator(line)) return fault(IniLineFault::Kind::notEntry);
    feed.entrySinceSection = true;
    // Without continuations an indented entry is one like any other.
    return feed.continuations ? raw : line;
}

char* readLine(char* buffer, int size, void* stream) {
    LineFeed& feed = *static_cast<LineFeed*>(stream);
    std::string raw;
    if (!std::getline(feed.text, raw)) return nullptr;
    ++feed.line;
    feed.ini.maxLineLength = size - 1;
    std::string line = lineForInih(feed, raw, static_cast<std::size_t>(size));
    // inih's buffer takes size - 1 characters: a longer comment is read cut, as it means nothing.
    if (line.size() >= static_cast<std::size_t>(size))
        line.resize(static_cast<std::size_t>(size) - 1);
    std::memcpy(buffer, line.c_str(), line.size() + 1);
    return buffer;
}

int takeEntry(void* user, const char* section, const char* name, const char* value) {
    LineFeed& feed = *static_cast<LineFeed*>(user);
    std::vector<IniEntry>& entries = feed.ini.entries;
    if (feed.continuing && !entries.empty()) {
        entries.back().pieces.push_back(value);
        return 1;
    }
    entries.push_back({feed.line, section, name, {value}});
    return 1;
}

}  // namespace

IniText readIni(const std::string& text, bool continuations) {
    LineFeed feed;
    feed.text.str(text);
    feed.continuations = continuations;
    // Every line inih would refuse was left out above, so its own error count stays 0.
    ini_parse_stream(readLine, &feed, takeEntry, &feed);
    return std::move(feed.ini);
}

int sectionIndexOf(const IniText& ini, int line) {
    int index = -1;
    for (std::size_t i = 0; i < ini.sections.size() && ini.sections[i].line < line; ++i) {
        if (ini.sections[i].closed) index = static_cast<int>(i);
    }
    return index;
}
