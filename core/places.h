// Where quorl-config looks: the player's run folder that the installed game's launcher keeps,
// the installed game's own files, and the folders holding the patterns a config may name.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// True when anything, a dangling link too, is at `path`.
bool pathExists(const std::filesystem::path& path);

// The player's run folder: $XDG_DATA_HOME/quorl (an absolute XDG_DATA_HOME only, as in the XDG
// rules), else ~/.local/share/quorl; empty when neither is set.
std::filesystem::path playerRunFolder();

// The installed game's shared files, PREFIX/share/games/quorl, when this program is the
// quorl-config installed beside them as PREFIX/games/quorl-config; empty otherwise.
std::filesystem::path installedGameFolder();

// The settings file to use when none is named: config in the current folder or, when there is
// none, the player's own one in the run folder that the quorl launcher keeps, if that exists or,
// for a program that makes the file (`creates`), if the game is installed. Throws ConfigError
// when the installed game's run folder has no config yet and nothing would make it.
struct ConfigChoice {
    std::string path;
    bool inRunFolder = false;  // the run folder's config, which may not exist yet
};
ConfigChoice chooseConfigFile(bool creates);

// Makes the folder that will hold `path`, with its parents; throws ConfigError when it can't.
void makeFolderFor(const std::string& path);

// The folders where the game will find a pattern named by the config at `configPath`: patterns/
// beside it and, for the run folder of an installed game, the installed patterns, which the
// launcher links into the run folder at every start.
std::vector<std::filesystem::path> patternFolders(const std::string& configPath);

// True when `name` is a file (or a link to one) in one of `folders`.
bool patternPresent(const std::string& name, const std::vector<std::filesystem::path>& folders);

// The folders as text for messages, joined by `conjunction` ("or", "and").
std::string folderList(const std::vector<std::filesystem::path>& folders,
                       const std::string& conjunction);
