// The headless match loop: scripted key messages and controllers, a hand-stepped counter, frames
// and a summary.
#include "tools/match_runner/runner.h"

#include <IL/il.h>

#include <cstdio>
#include <iostream>
#include <filesystem>
#include <ostream>
#include <stdexcept>

#include "app/context.h"
#include "core/codepage.h"
#include "gfx/screenshot.h"
#include "game/world.h"
#include "tools/match_runner/audio_track.h"
#include "platform/input_simulation.h"

namespace {

// The exit code of a run whose --audio file cannot be made, as for a wrong option.
constexpr int kAudioFailed = 2;

void postKeys(const std::vector<KeyEvent>& keys, int frame) {
    for (const KeyEvent& event : keys) {
        if (event.frame != frame) continue;
        platform::Message message;
        message.kind = event.down ? platform::MessageKind::keyDown : platform::MessageKind::keyUp;
        message.key = event.key;
        platform::postMessage(message);
    }
}

// Plugs, moves and unplugs the virtual controllers; `controllers` holds each one's platform
// number, in the order they were plugged in. The game sees the changes as it takes messages.
void drivePads(const std::vector<PadEvent>& pads, int frame, std::vector<int>& controllers) {
    for (const PadEvent& event : pads) {
        if (event.frame != frame) continue;
        if (event.action == PadEvent::Action::connect) {
            const int controller = platform::connectVirtualController();
            if (controller < 0) throw std::runtime_error("cannot connect a virtual controller");
            controllers.push_back(controller);
            continue;
        }
        const int controller = controllers.at(static_cast<std::size_t>(event.pad));
        switch (event.action) {
            case PadEvent::Action::disconnect:
                platform::disconnectVirtualController(controller);
                break;
            case PadEvent::Action::down:
            case PadEvent::Action::up:
                platform::setVirtualButton(controller, event.button,
                                           event.action == PadEvent::Action::down);
                break;
            case PadEvent::Action::axis:
                platform::setVirtualAxis(controller, event.axis, event.value);
                break;
            case PadEvent::Action::connect:
                break;
        }
    }
}

void saveFrame(const std::string& path) {
    const WindowSettings& window = context->window.settings;
    if (!saveScreenshot(path.c_str(), window.width, window.height))
        std::fprintf(stderr, "could not write %s\n", path.c_str());
}

std::string numbered(const std::string& prefix, int frame) {
    char name[32];
    std::snprintf(name, sizeof name, "-%06d.png", frame);
    return prefix + name;
}

template <class T>
std::size_t countSlots(const SlotTable<T>& table) {
    std::size_t count = 0;
    for (const auto& slot : table) count += slot ? 1 : 0;
    return count;
}

void printSummary(std::ostream& out, int frames, const App& game) {
    out << "frames " << frames << "\n";
    out << "scene " << world->scenes.scene << "\n";
    out << "round " << world->scenes.roundCounter << "\n";
    out << "match over " << (game.quit ? "yes" : "no") << "\n";
    for (int i = 0; i < kSlotCount; ++i) {
        const Player* player = world->players[i];
        if (player == nullptr) continue;
        out << "player " << i << " " << gameBytesToUtf8(player->name) << ": alive "
            << int(player->alive) << ", score " << player->score << ", trail " << player->pointCount
            << " of " << player->trail.size() << ", rocket held " << player->heldKind
            << ", heading " << player->angle
            << (i < activePlayerCount() ? "" : " (not taking part)") << "\n";
    }
    const EntityTables& entities = *world->entityTables;
    out << "pickups " << countSlots(entities.pickups) << " of " << entities.pickups.size()
        << " slots\n";
    out << "rockets " << countSlots(entities.rockets) << " of " << entities.rockets.size()
        << " slots\n";
}

int playFrames(const RunOptions& options, std::ostream& summary) {
    int frame = 0;
    std::vector<int> controllers;
    // ESC quits in the frame it is seen, which still runs; SPACE after the match posts a quit
    // that is taken before any further frame, so that pass is no frame.
    App& app = *context->app;
    AudioTrack audio;
    std::string error;
    const bool hearing = !options.audioFile.empty();
    if (hearing && !audio.open(options.audioFile, options.frameMs, error)) {
        std::cerr << "quorl-runner: " << error << "\n";
        shutdown();
        return kAudioFailed;
    }
    while (!app.quit && frame < options.frames) {
        postKeys(options.keys, frame);
        drivePads(options.pads, frame, controllers);
        advanceHandCounter(options.frameMs);
        if (!runHeadlessFrame(app)) break;
        if (hearing) {
            static const std::vector<SoundEvent> silence;
            if (!audio.addFrame(static_cast<std::uint64_t>(frame),
                                world->sound.on ? world->sounds : silence, world->sound.volume,
                                error)) {
                std::cerr << "quorl-runner: " << error << "\n";
                shutdown();
                return kAudioFailed;
            }
        }
        ++frame;
        if (options.every > 0 && frame % options.every == 0)
            saveFrame(numbered(options.everyPrefix, frame));
    }
    if (hearing && !audio.finish(error)) {
        std::cerr << "quorl-runner: " << error << "\n";
        shutdown();
        return kAudioFailed;
    }
    if (!options.finalPng.empty()) saveFrame(options.finalPng);
    printSummary(summary, frame, app);
    shutdown();
    return 0;
}

}  // namespace

int runMatch(const RunOptions& options, std::ostream& summary) {
    std::filesystem::current_path(options.folder);
    createContext();
    useCounter(handCounter());
    const int started = startUp();
    if (started != 0) return started;
    seedRandom(options.seed);
    ilEnable(IL_FILE_OVERWRITE);
    return runGuarded([&] { return playFrames(options, summary); });
}
