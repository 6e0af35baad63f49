// Listing faults by line.
#include "core/faults.h"

#include <algorithm>

std::string faultList(std::vector<Fault> faults, const std::string& source) {
    std::stable_sort(faults.begin(), faults.end(),
                     [](const Fault& a, const Fault& b) { return a.line < b.line; });
    std::string text;
    for (const Fault& fault : faults) {
        if (!text.empty()) text += "\n";
        text +=
            source + (fault.line > 0 ? ":" + std::to_string(fault.line) : "") + ": " + fault.text;
    }
    return text;
}
