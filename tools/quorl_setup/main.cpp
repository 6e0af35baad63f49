// quorl-setup: sets up a match of Quorl in a window and plays it.
#include <CLI/CLI.hpp>
#include <filesystem>

#include "core/places.h"
#include "platform/platform.h"
#include "tools/quorl_setup/game_process.h"
#include "tools/quorl_setup/setup_window.h"

int main(int argc, char** argv) {
    // Before SDL or GL start a thread, which would take the quit signals for itself.
    platform::takeQuitSignals();
    CLI::App app{
        "Sets up a match of Quorl in a window: the match settings, the players' names, "
        "patterns and keys; Play starts the game with them.",
        "quorl-setup"};
    std::string dir;
    app.add_option("--dir", dir,
                   "The folder of the config and keys files (default: the current folder when it "
                   "holds a config, else the one in ~/.local/share/quorl/)");
    bool play = false;
    app.add_flag("--play", play,
                 "Start the saved match at once, as Play does; the window shows when it ends");
    app.footer(
        "A quit signal (SIGINT, SIGTERM, SIGHUP) ends it with 0; while a game it started runs, "
        "the game gets the signal first and has " + std::to_string(kStopWaitSeconds) +
        " seconds to end.\n"
        "Exit status: 0 after Quit, 1 when the window cannot open, 2 wrong usage.");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? 0 : 2;
    }
    // As quorl-config chooses for a command that makes the file: Save makes it. Named in full,
    // so that the window and its messages say which folder it is.
    const std::filesystem::path config = dir.empty()
                                             ? std::filesystem::path(chooseConfigFile(true).path)
                                             : std::filesystem::path(dir) / "config";
    return runSetupWindow(std::filesystem::absolute(config).lexically_normal().string(), play);
}
