// The run's notes in errorlog.txt.
#include "app/error_log.h"

#include <cstdio>

namespace {

bool noted = false;

}  // namespace

void noteInErrorLog(const std::string& line) {
    if (std::FILE* log = std::fopen("errorlog.txt", noted ? "a" : "w")) {
        std::fprintf(log, "%s\n", line.c_str());
        std::fclose(log);
        noted = true;
    }
}
