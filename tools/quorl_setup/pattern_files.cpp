// Listing the pattern folders for the setup's pattern choice.
#include "tools/quorl_setup/pattern_files.h"

#include <algorithm>

#include "core/places.h"

namespace fs = std::filesystem;

PatternFiles listPatternFiles(const std::vector<fs::path>& folders) {
    PatternFiles files;
    std::string missing;
    for (const fs::path& folder : folders) {
        std::error_code error;
        fs::directory_iterator entries(folder, error);
        if (error) {
            missing += (missing.empty() ? "" : "; ") + folder.string() + ": " + error.message();
            continue;
        }
        for (const fs::directory_entry& entry : entries) {
            const std::string name = entry.path().filename().string();
            if (name[0] != '.' && entry.is_regular_file(error)) files.names.push_back(name);
        }
    }
    std::sort(files.names.begin(), files.names.end());
    files.names.erase(std::unique(files.names.begin(), files.names.end()), files.names.end());
    if (files.names.empty()) {
        files.problem = "no pattern images to choose from in " + folderList(folders, "or") +
                        (missing.empty() ? "" : " (" + missing + ")") +
                        ": the game finds no line patterns there";
    }
    return files;
}
