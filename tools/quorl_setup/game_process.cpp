// Running the game from quorl-setup with posix_spawn, which changes into the run folder in the
// child, and waiting for it without blocking the window.
#include "tools/quorl_setup/game_process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <filesystem>
#include <fstream>

#include "core/places.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

// errorlog.txt is a few lines; more than this is not worth showing.
constexpr std::size_t kErrorLogLimit = 16 * 1024;
// How often stop looks whether the game has ended.
constexpr auto kStopPollInterval = std::chrono::milliseconds(10);

// The game starts with no signal blocked and each at its default action, whatever the setup's
// own quit-signal handling holds: its quit signals then end it as they end a game started from a
// terminal.
void resetSignals(posix_spawnattr_t& attributes) {
    sigset_t none;
    sigemptyset(&none);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
}

int exitCodeOf(int status) {
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

}  // namespace

std::string gameProgram(const std::string& folder) {
    std::error_code error;
    const fs::path installed = installedGameFolder();
    if (installed.empty()) {
        return (fs::read_symlink("/proc/self/exe", error).parent_path() / "quorl").string();
    }
    const fs::path prefix = installed.parent_path().parent_path().parent_path();
    const fs::path runFolder = playerRunFolder();
    if (!runFolder.empty() && fs::equivalent(folder, runFolder, error)) {
        return (prefix / "games/quorl").string();
    }
    return (prefix / "libexec/quorl/quorl").string();
}

std::string GameProcess::start(const std::string& program, const std::string& folder) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    resetSignals(attributes);
    char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) return "cannot start " + program + " in " + folder + ": " + strerror(failed);
    pid_ = pid;
    startedAt_ = std::time(nullptr);
    return "";
}

std::optional<int> GameProcess::poll() {
    int status = 0;
    if (pid_ <= 0 || waitpid(pid_, &status, WNOHANG) != pid_) return std::nullopt;
    pid_ = -1;
    return exitCodeOf(status);
}

std::optional<int> GameProcess::stop(int signal) {
    if (pid_ <= 0) return std::nullopt;
    kill(pid_, signal);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kStopWaitSeconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (const std::optional<int> code = poll()) return code;
        std::this_thread::sleep_for(kStopPollInterval);
    }
    kill(pid_, SIGKILL);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return exitCodeOf(status);
}

std::string errorLogSince(const std::string& folder, std::time_t since) {
    const std::string path = folder + "/errorlog.txt";
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || info.st_mtime < since) return "";
    std::ifstream file(path, std::ios::binary);
    std::string text(kErrorLogLimit, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(file.gcount()));
    return text;
}
