// Telling a test that starts the program how far it got, on a descriptor the test names.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/platform.h"

namespace platform {
namespace {

// The descriptor named by QUORL_READY_FD, or -1 when there is none.
int readyDescriptor() {
    static const int fd = [] {
        const char* text = std::getenv("QUORL_READY_FD");
        if (text == nullptr) return -1;
        char* end = nullptr;
        const long value = std::strtol(text, &end, 10);
        return end != text && *end == '\0' && value >= 0 && value < 1024 ? static_cast<int>(value)
                                                                         : -1;
    }();
    return fd;
}

// The frame after which the program says it runs: QUORL_READY_FRAME, 1 by default.
std::uint64_t readyFrame() {
    static const std::uint64_t frame = [] {
        const char* text = std::getenv("QUORL_READY_FRAME");
        const unsigned long long value = text != nullptr ? std::strtoull(text, nullptr, 10) : 0;
        return value > 0 ? static_cast<std::uint64_t>(value) : std::uint64_t{1};
    }();
    return frame;
}

void say(const std::string& line) {
    const int fd = readyDescriptor();
    if (fd < 0) return;
    const std::string text = line + "\n";
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return;
        done += static_cast<std::size_t>(put);
    }
}

}  // namespace

void announceQuitSignalsTaken() {
    say("signals");
}

void announceFrame(std::uint64_t frame) {
    if (frame == readyFrame()) say("frame " + std::to_string(frame));
}

}  // namespace platform
