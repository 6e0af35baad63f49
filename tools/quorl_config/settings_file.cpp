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

#include "tools/quorl_config/config_error.h"

namespace {

// Text files larger than this are surely not settings texts.
constexpr std::size_t kTextFileLimit = 1 << 20;

std::string reason() {
    return std::strerror(errno);
}

// Closes a file descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Reads at most `limit` bytes of `path` and tells the file's size.
std::string readPrefix(const std::string& path, std::size_t limit, std::uintmax_t& fileSize) {
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) throw ConfigError("cannot open " + path + ": " + reason());
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) throw ConfigError("cannot read " + path + ": " + reason());
    if (S_ISDIR(info.st_mode)) throw ConfigError(path + " is a folder, not a file");
    fileSize = static_cast<std::uintmax_t>(info.st_size);
    std::string data;
    char buffer[4096];
    while (data.size() < limit) {
        const ssize_t got =
            ::read(file.get(), buffer, std::min(sizeof buffer, limit - data.size()));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw ConfigError("cannot read " + path + ": " + reason());
        if (got == 0) break;
        data.append(buffer, static_cast<std::size_t>(got));
    }
    return data;
}

std::string folderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? "." : folder.string();
}

// Permissions for the new file: those of the file it replaces, else the usual ones for a new
// file under the process umask.
mode_t permissionsFor(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A temporary file beside the target, removed again unless it was renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target)
        : target_(target), path_(folderOf(target) + "/.quorl-config-XXXXXX") {
        fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
        if (fd_ < 0) {
            path_.clear();  // nothing was created
            fail("creating a temporary file in " + folderOf(target));
        }
        if (::fchmod(fd_, permissionsFor(target)) != 0) fail("setting permissions on " + path_);
    }
    ~TemporaryFile() { discard(); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void write(const std::string& data) {
        for (std::size_t done = 0; done < data.size();) {
            const ssize_t put = ::write(fd_, data.data() + done, data.size() - done);
            if (put < 0 && errno == EINTR) continue;
            if (put < 0) fail("writing " + path_);
            done += static_cast<std::size_t>(put);
        }
    }

    // Makes the content durable and moves it over the target.
    void commit() {
        if (::fsync(fd_) != 0) fail("syncing " + path_);
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) fail("closing " + path_);
        if (::rename(path_.c_str(), target_.c_str()) != 0) fail("renaming " + path_);
        path_.clear();
    }

private:
    // Removes the temporary file and reports the failed step with the system's reason.
    [[noreturn]] void fail(const std::string& step) {
        const std::string why = reason();
        discard();
        throw ConfigError("cannot write " + target_ + ": " + step + " failed (" + why + "); " +
                          target_ + " was left as it was");
    }

    void discard() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        if (!path_.empty()) ::unlink(path_.c_str());
        path_.clear();
    }

    std::string target_;
    std::string path_;  // empty once renamed or removed
    int fd_ = -1;
};

// Syncs the folder so the rename itself survives a crash; the data is in place either way.
void syncFolder(const std::string& folder) {
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
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
    TemporaryFile temporary(path);
    temporary.write(data);
    temporary.commit();
    syncFolder(folderOf(path));
}

void writeSettingsFile(const std::string& path, const SettingsBytes& bytes) {
    writeFileAtomically(path, std::string(bytes.begin(), bytes.end()));
}
