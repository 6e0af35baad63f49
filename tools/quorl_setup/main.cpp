// quorl-setup: sets up a match of Quorl in a window and plays it.
#include <CLI/CLI.hpp>
#include <filesystem>

#include "core/places.h"
#include "tools/quorl_setup/setup_window.h"

int main(int argc, char** argv) {
    CLI::App app{
        "Sets up a match of Quorl in a window: the match settings, the players' names, "
        "patterns and keys; Play starts the game with them.",
        "quorl-setup"};
    std::string dir;
    app.add_option("--dir", dir,
                   "The folder of the config and keys files (default: the current folder when it "
                   "holds a config, else the one in ~/.local/share/quorl/)");
    app.footer("Exit status: 0 after Quit, 1 when the window cannot open, 2 wrong usage.");
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
    return runSetupWindow(std::filesystem::absolute(config).lexically_normal().string());
}
