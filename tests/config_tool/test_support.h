// Helpers for the quorl-config tests: temporary folders, whole-file access, sample settings and
// running the built executable.
#pragma once

#include <string>
#include <vector>

#include "core/config_error.h"
#include "core/settings_file.h"

// A fresh folder under /tmp, removed with everything in it at the end of the test.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string path(const std::string& name = "") const;

private:
    std::string root_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& data);

// A patterns/ folder in `folder` holding stand-ins for the default config's six pattern files.
void writeDefaultPatterns(const TempFolder& folder);
std::string asString(const SettingsBytes& bytes);

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The message of the ConfigError that `action` raises; empty when it raises none.
template <typename Action>
std::string configError(Action action) {
    try {
        action();
    } catch (const ConfigError& error) {
        return error.what();
    }
    return "";
}

SettingsBytes defaultBytes();

// Uniformly random bytes from a fixed seed.
SettingsBytes randomBytes(unsigned seed);

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

// Runs the built quorl-config, or a copy of it at `program`, in `folder`. A non-zero
// `fileSizeLimit` is set as RLIMIT_FSIZE, which caps the size of any file the process writes,
// root's too.
ToolRun runTool(const std::string& folder, const std::vector<std::string>& args,
                long fileSizeLimit = 0, const std::string& program = QUORL_CONFIG_EXECUTABLE);

// The names in `folder`, to find temporary files left behind.
std::vector<std::string> folderEntries(const std::string& folder);
