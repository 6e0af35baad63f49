// Reading the settings file the way the game does, and replacing files through a temporary file
// in the same folder so that an interrupted write never leaves a half-written file behind.
#include "tools/quorl_config/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "tools/quorl_config/config_error.h"

namespace fs = std::filesystem;

namespace {

// Text files larger than this are surely not settings texts.
constexpr std::size_t kTextFileLimit = 1 << 20;

std::error_code lastError() {
    return {errno, std::generic_category()};
}

// Reads at most `limit` bytes of `path` and tells the file's size (0 for one that has none, such
// as a pipe).
std::string readPrefix(const std::string& path, std::size_t limit, std::uintmax_t& fileSize) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ConfigError("cannot open " + path + ": " + lastError().message());
    std::error_code error;
    if (fs::is_directory(path, error)) throw ConfigError(path + " is a folder, not a file");
    const std::uintmax_t size = fs::file_size(path, error);
    fileSize = error ? 0 : size;
    std::string data(limit, '\0');
    in.read(data.data(), static_cast<std::streamsize>(limit));
    if (in.bad()) throw ConfigError("cannot read " + path + ": " + lastError().message());
    data.resize(static_cast<std::size_t>(in.gcount()));
    return data;
}

// Permissions for the new file: those of the file it replaces, else the usual ones for a new
// file under the process umask.
fs::perms permissionsFor(const std::string& target) {
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    if (fs::exists(status)) return status.permissions();
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<fs::perms>(0666 & ~mask);
}

}  // namespace

SettingsFile readSettingsFile(const std::string& path) {
    SettingsFile file;
    const std::string data = readPrefix(path, kSettingsFileSize, file.fileSize);
    std::copy(data.begin(), data.end(), file.bytes.begin());
    return file;
}

std::string readTextFile(const std::string& path) {
    std::uintmax_t size = 0;
    std::string text = readPrefix(path, kTextFileLimit + 1, size);
    if (text.size() > kTextFileLimit) {
        throw ConfigError(path + " is too large for a settings text (" + std::to_string(size) +
                          " bytes)");
    }
    return text;
}

std::string sizeNote(const std::string& path, std::uintmax_t fileSize) {
    const std::string expected = std::to_string(kSettingsFileSize);
    if (fileSize < kSettingsFileSize) {
        return path + " is " + std::to_string(fileSize) + " bytes instead of " + expected +
               "; the missing bytes read as 0";
    }
    if (fileSize > kSettingsFileSize) {
        return path + " is " + std::to_string(fileSize) + " bytes; the game ignores the " +
               std::to_string(fileSize - kSettingsFileSize) + " bytes past " + expected;
    }
    return "";
}

void writeFileAtomically(const std::string& path, const std::string& data) {
    const fs::path parent = fs::path(path).parent_path();
    const std::string folder = parent.empty() ? "." : parent.string();
    std::string temporary = folder + "/.quorl-config-XXXXXX";
    int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    // Removes the temporary file and reports the failed step with the system's reason.
    const auto fail = [&](const std::string& step, const std::error_code& reason) {
        if (fd >= 0) ::close(fd);
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw ConfigError("cannot write " + path + ": " + step + " failed (" + reason.message() +
                          "); " + path + " was left as it was");
    };
    if (fd < 0) {
        const std::error_code reason = lastError();
        temporary.clear();  // nothing was created
        fail("creating a temporary file in " + folder, reason);
    }
    std::error_code error;
    fs::permissions(temporary, permissionsFor(path), error);
    if (error) fail("setting permissions on " + temporary, error);
    for (std::size_t done = 0; done < data.size();) {
        const ssize_t put = ::write(fd, data.data() + done, data.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) fail("writing " + temporary, lastError());
        done += static_cast<std::size_t>(put);
    }
    // The data must be on the disk before the rename makes it the file.
    if (::fsync(fd) != 0) fail("syncing " + temporary, lastError());
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) fail("closing " + temporary, lastError());
    fs::rename(temporary, path, error);
    if (error) fail("renaming " + temporary, error);
    // Syncs the folder so the rename itself survives a crash; the data is in place either way.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void writeSettingsFile(const std::string& path, const SettingsBytes& bytes) {
    writeFileAtomically(path, std::string(bytes.begin(), bytes.end()));
}
