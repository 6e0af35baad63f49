// Reading and writing the program's files: only regular files are read, never blocking on a
// pipe or device, and writes replace files whole, several of them all or none.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FileContent {
    enum class Status {
        ok,
        missing,     // nothing by that name, not even a dangling link
        folder,      // a folder by that name
        notRegular,  // a pipe, socket or device by that name
        tooLarge,    // more bytes than the reader takes
        unreadable,  // anything else: `reason` says what
    };
    Status status = Status::ok;
    std::string data;         // the whole file when ok
    std::uintmax_t size = 0;  // the file's size on disk, when it is a regular file
    std::string reason;       // the system's words, when unreadable
};

// What to do with a file longer than the reader takes.
enum class Excess { refuse, ignore };

// Reads the regular file `path` whole, up to `limit` bytes: a longer one is refused
// (tooLarge), or read as its first `limit` bytes. Opening never waits for a writer.
FileContent readRegularFile(const std::string& path, std::size_t limit,
                            Excess excess = Excess::refuse);

// A file to be replaced with `data`.
struct FileWrite {
    std::string path;
    std::string data;
};

// Replaces every file of `files` so that a reader sees either all the old contents or all the new
// ones: each new content goes to a temporary file beside its target and is synced, and only once
// all are written are they renamed over their targets; when a rename fails, the files renamed
// before it get their old contents back. An existing file keeps its permissions, a new one gets
// the umask's. Temporary files of ours older than a minute, left by an interrupted write, are
// removed from the folders first. Throws ConfigError naming the file and the failed step.
void writeFilesAtomically(const std::vector<FileWrite>& files);

// One file replaced as above.
void writeFileAtomically(const std::string& path, const std::string& data);
