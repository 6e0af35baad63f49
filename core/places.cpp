// Finding the player's run folder, the installed game and the pattern folders of a config.
//
// The install layout is set in packaging/CMakeLists.txt and packaging/quorl-launcher.sh;
// tests/packaging/install_test.sh checks that an installed quorl-config finds it.
#include "core/places.h"

#include <algorithm>
#include <cstdlib>

#include "core/config_error.h"

namespace fs = std::filesystem;

bool pathExists(const fs::path& path) {
    std::error_code error;
    return fs::symlink_status(path, error).type() != fs::file_type::not_found;
}

fs::path playerRunFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (dataHome != nullptr && dataHome[0] == '/') return fs::path(dataHome) / "quorl";
    if (home != nullptr && home[0] != '\0') return fs::path(home) / ".local/share/quorl";
    return {};
}

fs::path installedGameFolder() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error) return {};
    const fs::path shared = program.parent_path().parent_path() / "share/games/quorl";
    if (!fs::is_regular_file(shared / "config", error) ||
        !fs::is_directory(shared / "patterns", error)) {
        return {};
    }
    return shared;
}

ConfigChoice chooseConfigFile(bool creates) {
    const fs::path runFolder = playerRunFolder();
    if (pathExists("config") || runFolder.empty()) return {"config"};
    const std::string playerConfig = (runFolder / "config").string();
    if (!pathExists(playerConfig) && installedGameFolder().empty()) return {"config"};
    if (!pathExists(playerConfig) && !creates) {
        throw ConfigError("there is no config in this folder, and the installed game's " +
                          playerConfig +
                          " does not exist yet (quorl-config new makes it with the default "
                          "settings, and so does the game's first start)");
    }
    return {playerConfig, true};
}

void makeFolderFor(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    std::error_code error;
    if (folder.empty() || fs::is_directory(folder, error)) return;
    fs::create_directories(folder, error);
    if (error) throw ConfigError("cannot create " + folder.string() + ": " + error.message());
}

std::vector<fs::path> patternFolders(const std::string& configPath) {
    fs::path folder = fs::path(configPath).parent_path();
    if (folder.empty()) folder = ".";
    std::vector<fs::path> folders{folder / "patterns"};
    const fs::path installed = installedGameFolder();
    const fs::path runFolder = playerRunFolder();
    std::error_code error;
    if (!installed.empty() && !runFolder.empty() && fs::equivalent(folder, runFolder, error)) {
        folders.push_back(installed / "patterns");
    }
    return folders;
}

bool patternPresent(const std::string& name, const std::vector<fs::path>& folders) {
    std::error_code error;
    return std::any_of(folders.begin(), folders.end(), [&](const fs::path& folder) {
        return fs::is_regular_file(folder / name, error);
    });
}

std::string folderList(const std::vector<fs::path>& folders, const std::string& conjunction) {
    std::string text;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (i > 0) text += i + 1 == folders.size() ? " " + conjunction + " " : ", ";
        text += folders[i].string();
    }
    return text;
}
