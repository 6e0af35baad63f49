// Playing the match that quorl-setup saved: which program runs the game, running it as a child
// process in the config's folder, and what it left behind when it failed.
#pragma once

#include <sys/types.h>

#include <ctime>
#include <optional>
#include <string>

// The program that plays in `folder`: the quorl beside this program in a build's run folder; for
// an installed game, the launcher when `folder` is the player's run folder it keeps, else the
// game itself.
std::string gameProgram(const std::string& folder);

// How long stop waits for the game to end by itself.
constexpr int kStopWaitSeconds = 2;

// The game running as a child process.
class GameProcess {
public:
    // Starts `program` in `folder`; returns why it could not, or an empty text.
    std::string start(const std::string& program, const std::string& folder);

    bool running() const { return pid_ > 0; }

    // The exit code once the game has ended (128 + the signal's number when a signal ended it);
    // none while it runs. Never waits.
    std::optional<int> poll();

    // Passes the quit signal `signal` on to the running game and waits for it to end, up to
    // kStopWaitSeconds; a game still running then is killed. Returns its exit code as poll does.
    std::optional<int> stop(int signal);

    // When the last start happened.
    std::time_t startedAt() const { return startedAt_; }

private:
    pid_t pid_ = -1;
    std::time_t startedAt_ = 0;
};

// The text of errorlog.txt in `folder` when it was written since `since`, else an empty text.
std::string errorLogSince(const std::string& folder, std::time_t since);
