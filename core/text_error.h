// The program's fatal error: an exception that carries only a pointer to its message text.
#pragma once

#include <string>

struct TextError {
    const char* text;
};

// Raises a fatal error; `text` must outlive the exception (a constant or a static buffer).
[[noreturn]] inline void raiseTextError(const char* text) {
    throw TextError{text};
}

// Raises a fatal error whose text is made at run time: it is kept until the next such error, so
// the pointer the error carries stays valid while anyone can catch it.
[[noreturn]] inline void raiseComposedError(std::string text) {
    static std::string kept;
    kept = std::move(text);
    raiseTextError(kept.c_str());
}
