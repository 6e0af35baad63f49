// Reading regular files without blocking, and replacing files through synced temporary files in
// the same folder, so that an interrupted write never leaves a half-written file or half a
// command's changes behind.
#include "core/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <set>

#include "core/config_error.h"

namespace fs = std::filesystem;

namespace {

constexpr char kTemporaryStem[] = ".quorl-config-";
constexpr char kTemporaryTemplate[] = ".quorl-config-XXXXXX";
constexpr auto kStaleAfter = std::chrono::minutes(1);

std::error_code lastError() {
    return {errno, std::generic_category()};
}

FileContent::Status kindOf(const struct stat& info) {
    if (S_ISDIR(info.st_mode)) return FileContent::Status::folder;
    if (!S_ISREG(info.st_mode)) return FileContent::Status::notRegular;
    return FileContent::Status::ok;
}

FileContent failed(FileContent::Status status, std::string reason = "") {
    FileContent content;
    content.status = status;
    content.reason = std::move(reason);
    return content;
}

// Closes the descriptor whatever happens.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

// True for a name mkostemp made from our template.
bool isOurTemporary(const std::string& name) {
    if (name.size() != sizeof kTemporaryTemplate - 1 || name.rfind(kTemporaryStem, 0) != 0)
        return false;
    for (std::size_t i = sizeof kTemporaryStem - 1; i < name.size(); ++i) {
        if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
    }
    return true;
}

// Removes the temporary files of ours that an interrupted write left in `folder`; a file younger
// than a minute may belong to a write still going on.
void removeStaleTemporaries(const std::string& folder) {
    std::error_code error;
    const auto now = fs::file_time_type::clock::now();
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (!isOurTemporary(entry.path().filename().string())) continue;
        if (!entry.is_regular_file(error) || entry.is_symlink(error)) continue;
        if (now - entry.last_write_time(error) > kStaleAfter) fs::remove(entry.path(), error);
    }
}

std::string folderOf(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? "." : parent.string();
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

// One file of a write: its new content's temporary file, and a copy of its old content while
// later files may still fail.
struct Staged {
    const FileWrite* file;
    std::string temporary;
    std::string backup;  // empty when there is nothing to put back
    bool renamed = false;
};

class AtomicWrite {
public:
    explicit AtomicWrite(const std::vector<FileWrite>& files) {
        for (const FileWrite& file : files) staged_.push_back({&file, "", ""});
    }
    ~AtomicWrite() { discardTemporaries(); }

    void run() {
        std::set<std::string> folders;
        for (const Staged& file : staged_) folders.insert(folderOf(file.file->path));
        for (const std::string& folder : folders) removeStaleTemporaries(folder);
        for (Staged& file : staged_) file.temporary = writeTemporary(*file.file, file.file->data);
        // The last file needs no copy: once it is renamed, every file is.
        for (std::size_t i = 0; i + 1 < staged_.size(); ++i) keepOldContent(staged_[i]);
        for (Staged& file : staged_) renameInPlace(file);
        for (const std::string& folder : folders) syncFolder(folder);
    }

private:
    // Reports the failed step of `file` and undoes whatever the write did so far.
    [[noreturn]] void fail(const FileWrite& file, const std::string& step,
                           const std::error_code& reason) {
        putBack();
        std::string left;
        for (std::size_t i = 0; i < staged_.size(); ++i) {
            if (i > 0) left += i + 1 == staged_.size() ? " and " : ", ";
            left += staged_[i].file->path;
        }
        throw ConfigError(
            "cannot write " + file.path + ": " + step + " failed (" + reason.message() + "); " +
            left + (staged_.size() == 1 ? " was left as it was" : " were left as they were"));
    }

    // Writes `data` to a new synced temporary file beside `file`'s target; returns its path.
    std::string writeTemporary(const FileWrite& file, const std::string& data) {
        const std::string folder = folderOf(file.path);
        std::string temporary = folder + "/" + kTemporaryTemplate;
        Descriptor descriptor{::mkostemp(temporary.data(), O_CLOEXEC)};
        if (descriptor.fd < 0) fail(file, "creating a temporary file in " + folder, lastError());
        // From here on the destructor removes it if anything fails.
        temporaries_.push_back(temporary);
        std::error_code error;
        fs::permissions(temporary, permissionsFor(file.path), error);
        if (error) fail(file, "setting permissions on " + temporary, error);
        for (std::size_t done = 0; done < data.size();) {
            const ssize_t put = ::write(descriptor.fd, data.data() + done, data.size() - done);
            if (put < 0 && errno == EINTR) continue;
            if (put < 0) fail(file, "writing " + temporary, lastError());
            done += static_cast<std::size_t>(put);
        }
        // The data must be on the disk before the rename makes it the file.
        if (::fsync(descriptor.fd) != 0) fail(file, "syncing " + temporary, lastError());
        const int fd = descriptor.fd;
        descriptor.fd = -1;
        if (::close(fd) != 0) fail(file, "closing " + temporary, lastError());
        return temporary;
    }

    void keepOldContent(Staged& file) {
        const FileContent old = readRegularFile(file.file->path, 1 << 20);
        if (old.status == FileContent::Status::missing) return;
        if (old.status != FileContent::Status::ok)
            fail(*file.file, "keeping a copy of " + file.file->path,
                 {EIO, std::generic_category()});
        file.backup = writeTemporary(*file.file, old.data);
    }

    void renameInPlace(Staged& file) {
        std::error_code error;
        fs::rename(file.temporary, file.file->path, error);
        if (error) fail(*file.file, "renaming " + file.temporary, error);
        file.renamed = true;
    }

    // Gives the files renamed so far their old contents back, or removes those that were new.
    void putBack() {
        std::error_code error;
        for (Staged& file : staged_) {
            if (!file.renamed) continue;
            if (file.backup.empty())
                fs::remove(file.file->path, error);
            else
                fs::rename(file.backup, file.file->path, error);
            file.renamed = false;
        }
    }

    void discardTemporaries() {
        std::error_code error;
        for (const std::string& temporary : temporaries_) fs::remove(temporary, error);
    }

    // Syncs the folder so the renames themselves survive a crash; the data is in place either way.
    static void syncFolder(const std::string& folder) {
        const Descriptor dir{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
        if (dir.fd >= 0) ::fsync(dir.fd);
    }

    std::vector<Staged> staged_;
    std::vector<std::string> temporaries_;
};

}  // namespace

FileContent readRegularFile(const std::string& path, std::size_t limit, Excess excess) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        // Nothing at all by that name; a dangling link is a file that cannot be read.
        if (error == ENOENT && ::lstat(path.c_str(), &info) != 0)
            return failed(FileContent::Status::missing);
        return failed(FileContent::Status::unreadable, std::strerror(error));
    }
    if (kindOf(info) != FileContent::Status::ok) return failed(kindOf(info));
    // Non-blocking, in case the name was replaced by a pipe since: opening a pipe would wait for
    // a writer.
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) return failed(FileContent::Status::unreadable, std::strerror(errno));
    if (::fstat(file.fd, &info) != 0 || kindOf(info) != FileContent::Status::ok)
        return failed(FileContent::Status::notRegular);
    FileContent content;
    content.size = static_cast<std::uintmax_t>(info.st_size);
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(file.fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return failed(FileContent::Status::unreadable, std::strerror(errno));
        if (got == 0) break;
        content.data.append(buffer, static_cast<std::size_t>(got));
        if (content.data.size() <= limit) continue;
        if (excess == Excess::ignore) {
            content.data.resize(limit);
            break;
        }
        content.status = FileContent::Status::tooLarge;
        content.data.clear();
        break;
    }
    return content;
}

void writeFilesAtomically(const std::vector<FileWrite>& files) {
    AtomicWrite(files).run();
}

void writeFileAtomically(const std::string& path, const std::string& data) {
    writeFilesAtomically({{path, data}});
}
