// The game's single-byte character set: which bytes its font draws and their UTF-8 forms.
#pragma once

#include <cstdint>
#include <string>

// True when the game's font has a glyph for `byte`.
bool fontDraws(std::uint8_t byte);

// Converts UTF-8 text to the game's bytes. Throws ConfigError naming the first character the
// font cannot draw, or the first malformed UTF-8 sequence.
std::string utf8ToGameBytes(const std::string& utf8);

// The UTF-8 form of game bytes; a byte the font cannot draw appears as \xHH.
std::string gameBytesToUtf8(const std::string& bytes);

// The characters the font draws, in words, for messages and help.
const std::string& drawableCharacters();
