// The summary lines, kept by key until the benchmarks have run.
#include "bench/summary.h"

#include <sys/resource.h>

#include <cstdio>
#include <map>

namespace {

std::map<int, std::string> lines;

}  // namespace

void setSummaryLine(int key, const std::string& line) {
    lines[key] = line;
}

void printSummary() {
    std::printf("\n");
    for (const auto& [key, line] : lines) std::printf("%s\n", line.c_str());
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf(
        "Peak resident memory of this run, the six-player scenes' trails included: %.1f MB\n",
        usage.ru_maxrss / 1024.0);
}
