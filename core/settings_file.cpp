// Reading the settings file and settings texts for the tools, with the messages they print.
#include "core/settings_file.h"

#include <algorithm>

#include "core/config_error.h"

namespace {

// Text files larger than this are surely not settings texts.
constexpr std::size_t kTextFileLimit = 1 << 20;

// The content of `path`, or the ConfigError that says why there is none.
FileContent readOrThrow(const std::string& path, std::size_t limit, Excess excess) {
    FileContent content = readRegularFile(path, limit, excess);
    switch (content.status) {
        case FileContent::Status::ok:
        case FileContent::Status::tooLarge:
            return content;
        case FileContent::Status::folder:
            throw ConfigError(path + " is a folder, not a file");
        case FileContent::Status::notRegular:
            throw ConfigError(path + " is not a regular file");
        case FileContent::Status::missing:
            throw ConfigError("cannot open " + path + ": No such file or directory");
        case FileContent::Status::unreadable:
            break;
    }
    throw ConfigError("cannot open " + path + ": " + content.reason);
}

}  // namespace

SettingsFile readSettingsFile(const std::string& path) {
    const FileContent content = readOrThrow(path, kSettingsFileSize, Excess::ignore);
    SettingsFile file;
    std::copy(content.data.begin(), content.data.end(), file.bytes.begin());
    file.fileSize = content.size;
    return file;
}

std::string readTextFile(const std::string& path) {
    const FileContent content = readOrThrow(path, kTextFileLimit, Excess::refuse);
    if (content.status == FileContent::Status::tooLarge) {
        throw ConfigError(path + " is too large for a settings text (" +
                          std::to_string(content.size) + " bytes)");
    }
    return content.data;
}

std::string sizeNote(const std::string& path, std::uintmax_t fileSize) {
    const std::string expected = std::to_string(kSettingsFileSize);
    if (fileSize < kSettingsFileSize) {
        return path + " is " + std::to_string(fileSize) + " bytes instead of " + expected +
               ": settings are missing, and the game refuses it";
    }
    if (fileSize > kSettingsFileSize) {
        return path + " is " + std::to_string(fileSize) + " bytes; the game ignores the " +
               std::to_string(fileSize - kSettingsFileSize) + " bytes past " + expected;
    }
    return "";
}

FileWrite settingsWrite(const std::string& path, const SettingsBytes& bytes) {
    return {path, std::string(bytes.begin(), bytes.end())};
}

SettingsBytes encoded(const Settings& s) {
    SettingsBytes bytes{};
    encodeSettings(s, bytes.data());
    return bytes;
}

Settings decoded(const SettingsBytes& bytes) {
    return decodeSettings(bytes.data(), bytes.size());
}
