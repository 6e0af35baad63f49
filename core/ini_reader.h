// The one reader of INI text, on Debian's inih: the keys file and the settings text both go
// through it. A line reader of ours feeds inih one line at a time, so that every entry, section
// and fault knows its line.
#pragma once

#include <string>
#include <vector>

// A `[NAME]` line: the name as written between the brackets and what follows the closing one.
struct IniSection {
    int line;
    std::string name;
    std::string rest;     // after ']', spaces and tabs around it taken away
    std::string written;  // the header as written, from '[' to ']' (or the line's end)
    bool closed;          // false when the line has no ']'; such a line starts no section
};

// An entry `NAME = VALUE` (or `NAME: VALUE`) as inih hands it over: names and values without
// white space around them, a `;` comment after white space taken off the value.
struct IniEntry {
    int line;
    std::string section;  // the last section opened before it, empty before any
    std::string name;
    // The value, then the value of each indented line that goes on from it, when continuations
    // are read.
    std::vector<std::string> pieces;
};

// Lines inih cannot read, each of which is left out.
struct IniLineFault {
    enum class Kind {
        nul,       // the line holds a NUL byte
        tooLong,   // the line is longer than inih's line buffer; what fits is read
        notEntry,  // neither an entry, a section nor a comment
        unclosed,  // a section header without its ']'
    };
    int line;
    Kind kind;
};

struct IniText {
    std::vector<IniSection> sections;
    std::vector<IniEntry> entries;
    std::vector<IniLineFault> faults;
    int maxLineLength = 0;  // the longest line inih reads whole
};

// Reads INI text: comments start with # or ; (after leading white space), a UTF-8 byte-order
// mark at the start is skipped, and lines may end in CR LF. With `continuations`, an indented
// line after an entry goes on its value (inih's multi-line values); without, indentation means
// nothing.
IniText readIni(const std::string& text, bool continuations);

// The section a line belongs to: the last closed header above it, or none (-1).
int sectionIndexOf(const IniText& ini, int line);
