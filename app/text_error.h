// The program's fatal error: an exception that carries only a pointer to its message text.
#pragma once

struct TextError {
    const char* text;
};

// Raises a fatal error; `text` must outlive the exception (a constant or a static buffer).
[[noreturn]] inline void raiseTextError(const char* text) {
    throw TextError{text};
}
