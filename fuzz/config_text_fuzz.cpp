// Fuzz target: any bytes as the text quorl-config imports, as lines of `set NAME=VALUE`
// arguments, and as a settings file to export. Only ConfigError may come out of the editor;
// whatever it accepts is a record the game needs not repair, and export and import give back
// every byte of any file.
#include <algorithm>
#include <sstream>
#include <string>

#include "fuzz/fuzz_check.h"
#include "tools/quorl_config/config_error.h"
#include "tools/quorl_config/fields.h"
#include "tools/quorl_config/text_form.h"

namespace {

SettingsBytes encoded(const Settings& s) {
    SettingsBytes bytes{};
    encodeSettings(s, bytes.data());
    return bytes;
}

// The game's invariants change nothing in what the editor writes.
void checkNeedsNoRepair(const SettingsBytes& bytes) {
    Settings s = decodeSettings(bytes.data(), bytes.size());
    enforceSettingsInvariants(s);
    FUZZ_CHECK(encoded(s) == bytes);
}

void importAsText(const std::string& text) {
    SettingsBytes bytes;
    try {
        bytes = importText(text, "fuzz");
    } catch (const ConfigError&) {
        return;
    }
    FUZZ_CHECK(importText(exportText(bytes), "export") == bytes);
}

// Each line is one argument of `set`, split at its first '=' as the command line does.
void applyAsAssignments(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos)
            pairs.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
    Settings s = defaultSettings();
    try {
        applyAssignments(s, pairs);
    } catch (const ConfigError&) {
        FUZZ_CHECK(encoded(s) == encoded(defaultSettings()));  // untouched on failure
        return;
    }
    checkNeedsNoRepair(encoded(s));
}

void exportAnyFile(const std::uint8_t* data, std::size_t size) {
    SettingsBytes bytes{};
    std::copy_n(data, std::min(size, bytes.size()), bytes.begin());
    FUZZ_CHECK(importText(exportText(bytes), "export") == bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    importAsText(text);
    applyAsAssignments(text);
    exportAnyFile(data, size);
    return 0;
}
