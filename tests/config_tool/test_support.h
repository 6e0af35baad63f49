// Helpers for the quorl-config tests: temporary folders, whole-file access, sample settings and
// running the built executable.
#pragma once

#include <string>
#include <vector>

#include "tools/quorl_config/settings_file.h"

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
std::string asString(const SettingsBytes& bytes);

SettingsBytes defaultBytes();

// Uniformly random bytes from a fixed seed.
SettingsBytes randomBytes(unsigned seed);

// Random settings that are mostly plausible, so that the text form writes most fields as plain
// text (names of drawable characters, patterns with any printable byte) and some raw.
SettingsBytes randomPlausibleBytes(unsigned seed);

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

// Runs the built quorl-config in `folder`. A non-zero `fileSizeLimit` is set as RLIMIT_FSIZE,
// which caps the size of any file the process writes, root's too.
ToolRun runTool(const std::string& folder, const std::vector<std::string>& args,
                long fileSizeLimit = 0);

// The names in `folder`, to find temporary files left behind.
std::vector<std::string> folderEntries(const std::string& folder);
