// Fuzz target: any bytes as the text quorl-config imports, as lines of `set NAME=VALUE`
// arguments, as a settings file to export, and as a keys file. Only ConfigError may come out of
// the editor; whatever it accepts is a record the game needs not repair, and export and import
// give back every byte of any file and the keys. A keys file the game accepts reads back as
// written, and what it binds has no key twice and no reserved key.
#include <algorithm>
#include <sstream>
#include <string>

#include "core/keys_file.h"
#include "core/config_error.h"
#include "core/setting_fields.h"
#include "core/text_form.h"
#include "fuzz/fuzz_check.h"

namespace {

// The game's invariants change nothing in what the editor writes.
void checkNeedsNoRepair(const SettingsBytes& bytes) {
    Settings s = decodeSettings(bytes.data(), bytes.size());
    enforceSettingsInvariants(s);
    FUZZ_CHECK(encoded(s) == bytes);
}

void importAsText(const std::string& text) {
    ImportedText imported;
    try {
        imported = importSettingsText(text, "fuzz");
    } catch (const ConfigError&) {
        return;
    }
    const TextSettings keys = imported.keys.value_or(TextSettings{});
    FUZZ_CHECK(bindingProblems(keys.bindings).empty());
    const ImportedText again = importSettingsText(exportText(imported.bytes, keys), "export");
    FUZZ_CHECK(again.bytes == imported.bytes);
    FUZZ_CHECK(again.keys.has_value() && *again.keys == keys);
}

void readAsKeysFile(const std::string& text) {
    const KeysFile file = parseKeys(text);
    if (!file.faults.empty()) return;
    FUZZ_CHECK(bindingProblems(file.bindings).empty());
    const KeysFile again = parseKeys(formatKeys(file));
    FUZZ_CHECK(again.faults.empty() && TextSettings(again) == TextSettings(file));
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
    readAsKeysFile(text);
    applyAsAssignments(text);
    exportAnyFile(data, size);
    return 0;
}
