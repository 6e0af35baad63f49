// quorl-runner: plays a scripted match headless and prints what happened.
#include <CLI/CLI.hpp>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/platform.h"
#include "tools/match_runner/runner.h"

namespace fs = std::filesystem;

namespace {

std::string readScript(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw CLI::ValidationError("--script", "cannot read " + path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string absoluteOrEmpty(const std::string& path) {
    return path.empty() ? path : fs::absolute(path).string();
}

}  // namespace

int main(int argc, char** argv) {
    // As the game does: a quit signal ends the match through the normal shutdown.
    platform::takeQuitSignals();
    CLI::App cli{
        "Plays a Quorl match headless on an offscreen GL context: the game's own start-up,\n"
        "scenes and frames, with a fixed random seed, a fixed frame time, scripted keys and\n"
        "scripted virtual game controllers.\n"
        "Prints a summary; the exit code is the game's own (0, 255, 254, 253)."};
    RunOptions options;
    std::vector<std::string> keys;
    std::vector<std::string> pads;
    std::string script;
    cli.add_option("--dir", options.folder,
                   "Run folder holding config, system/ and patterns/, and keys if any")
        ->check(CLI::ExistingDirectory);
    cli.add_option("--seed", options.seed, "Random seed (default 1)");
    cli.add_option("--frame-ms", options.frameMs, "Frame time in milliseconds (default 16)")
        ->check(CLI::Range(0.0, 10000.0));
    cli.add_option("--frames", options.frames, "Frames to run at most (default 600)")
        ->check(CLI::Range(0, 10000000));
    cli.add_option("--key", keys,
                   "Key event: FRAME:down:KEY, FRAME:up:KEY or FRAME+FRAMES:KEY (a press); "
                   "KEY names a physical key: space, esc, left, right, up, down, insert, home, "
                   "pageup, kp/, kp-, kp*, a letter, a digit, a name of quorl-config keys --list "
                   "or a code. The slots' keys are those of the run folder's keys file");
    cli.add_option("--pad", pads,
                   "Virtual controller event: FRAME:connect, FRAME:disconnect:PAD, "
                   "FRAME:down:PAD:BUTTON, FRAME:up:PAD:BUTTON, FRAME+FRAMES:PAD:BUTTON (a press) "
                   "or FRAME:axis:PAD:AXIS:VALUE; PAD counts the connect events from 0; BUTTON is "
                   "a, back, start, lb, rb, dpleft or dpright; AXIS is stick (-32768 to 32767) or "
                   "rt (0 to 32767)");
    cli.add_option("--script", script, "File of key events, '#' starts a comment");
    cli.add_option("--png", options.finalPng, "Write the last frame to this PNG file");
    cli.add_option("--every", options.every, "Also write every Nth frame")
        ->check(CLI::PositiveNumber);
    cli.add_option("--prefix", options.everyPrefix, "File prefix for --every (default frame)");
    cli.add_option("--audio", options.audioFile,
                   "Write what the game would have played, mixed, to this WAV file (16-bit "
                   "stereo PCM, each frame's sounds at the frame's time); silent without it");
    CLI11_PARSE(cli, argc, argv);

    try {
        for (const std::string& key : keys) {
            for (const KeyEvent& event : parseKeyEvent(key)) options.keys.push_back(event);
        }
        if (!script.empty()) {
            for (const KeyEvent& event : parseKeyScript(readScript(script)))
                options.keys.push_back(event);
        }
        for (const std::string& pad : pads) {
            for (const PadEvent& event : parsePadEvent(pad)) options.pads.push_back(event);
        }
        orderPadEvents(options.pads);
    } catch (const std::exception& error) {
        std::cerr << "quorl-runner: " << error.what() << "\n";
        return 2;
    }
    if (options.every > 0 && options.everyPrefix.empty()) options.everyPrefix = "frame";
    options.finalPng = absoluteOrEmpty(options.finalPng);
    options.everyPrefix = absoluteOrEmpty(options.everyPrefix);
    options.audioFile = absoluteOrEmpty(options.audioFile);

    // Headless: the offscreen driver, and errors on standard error rather than in a box.
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    unsetenv("DISPLAY");
    return runMatch(options, std::cout);
}
