// Small text helpers for names, messages and listings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// `text` without spaces and tabs around it.
std::string trimmed(const std::string& text);

// Lower case, without white space around, runs of white space inside made one space.
std::string folded(const std::string& text);

// A copy of `text` with ASCII letters in lower case.
std::string lowerAscii(std::string text);

// `value` in double quotes, control bytes as \xHH, for messages about settings.
std::string quoted(const std::string& value);

// `text` in double quotes, bytes outside printable ASCII as \xHH and cut after 40 bytes, for
// messages about the keys file, whose lines may hold anything.
std::string quotedAscii(const std::string& text);

// \xHH for a byte, as used in messages.
std::string hexEscape(std::uint8_t byte);

// A count with its noun, singular for 1 ("1 slot", "0 slots", "2 slots").
std::string counted(std::size_t count, const std::string& noun);

// The lines joined by newlines, without one at the end.
std::string joinLines(const std::vector<std::string>& lines);

// `text` broken at spaces into lines of at most `width` bytes (a longer word stands alone), each
// starting with `prefix` and ending in a newline.
std::string wrapText(const std::string& text, std::size_t width, const std::string& prefix);
