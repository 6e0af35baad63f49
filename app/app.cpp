// The program's top: start-up, the message and frame loop, the frame step and shutdown.
#include "app/app.h"

#include <cstdio>
#include <exception>
#include <new>
#include <string>

#include "app/config_file.h"
#include "app/context.h"
#include "app/results_file.h"
#include "app/sound_player.h"
#include "core/keys.h"
#include "core/text_error.h"
#include "game/init_game.h"
#include "game/players/controls.h"
#include "game/scenes/game_scene.h"
#include "game/scenes/intro_scene.h"

namespace {

// The game's messages are worded and spelt as players have always seen them, here and wherever
// the game raises an error, so that nothing that looks for them misses one.
constexpr const char* kErrorCaption = "An exception occured:";
constexpr int kIdleWaitMs = 10;

// Exit codes of the entry, also used when a quit signal ends the process while its message
// box is up.
constexpr int kOutOfMemory = -1;
constexpr int kStartupFailed = -2;
constexpr int kRunFailed = -3;

// The log is written before the box opens, so that it holds the text however the box ends; a
// log that cannot be written is let go, as the box still tells the user.
void reportStartupError(const char* text) {
    if (std::FILE* log = std::fopen("errorlog.txt", "w")) {
        std::fprintf(log, "ErrorLog:\n\n%s\n\n", text);
        std::fflush(log);
        std::fclose(log);
    }
    platform::showMessage(kErrorCaption, text, kStartupFailed);
}

}  // namespace

App::App() {
    world->settings = loadSettings();
    loadKeysFile();
    timer = new FrameTimer{};
    timer->restart();
}

App::~App() {
    delete timer;
}

void initialize() {
    openWindow();
    makeCameraAndProjection();
    startGame();
}

void openWindow() {
    context->window.settings.fullscreen = world->settings.fullscreen != 0;
    const int code = createWindow();
    if (code != 0) {
        destroyWindow();
        raiseTextError(windowErrorText(code));
    }
}

void makeCameraAndProjection() {
    gfx->camera = new Camera{};
    const WindowSettings& window = context->window.settings;
    setOrthographicProjection(static_cast<std::uint32_t>(window.width),
                              static_cast<std::uint32_t>(window.height));
}

void startGame() {
    initGame();
    assignControllers();
}

LoopStep pumpOnce(App& app) {
    if (platform::pollMessage(app.message)) {
        if (app.message.kind == platform::MessageKind::quit)
            app.quit = true;
        else
            windowProc(app.message);
        return LoopStep::message;
    }
    if (!context->window.settings.active) return LoopStep::idle;
    if (world->controls.KeyState[vk::kEscape] == 1) app.quit = true;
    stepFrame(app);
    return LoopStep::frame;
}

bool runHeadlessFrame(App& app) {
    for (;;) {
        const LoopStep step = pumpOnce(app);
        if (step == LoopStep::frame) return true;
        if (app.quit) return false;
        if (step == LoopStep::idle) context->window.settings.active = true;
    }
}

void runMainLoop(App& app) {
    while (!app.quit) {
        // Frames never wait; only a minimised window waits briefly for its next message.
        const LoopStep step = pumpOnce(app);
        if (step == LoopStep::frame) playFrameSounds();
        if (step == LoopStep::idle) platform::waitForMessage(kIdleWaitMs);
    }
}

void stepFrame(App& app) {
    app.frameTime =
        static_cast<double>(app.timer->elapsedTicks()) * app.timer->secondsPerTick * 1000.0;
    app.timer->restart();
    world->sounds.clear();
    switch (world->scenes.scene) {
        case kIntroScene:
            introSceneFrame(app.frameTime);
            break;
        case kGameScene:
            gameSceneFrame(app.frameTime);
            break;
        case kIdleScene:
            break;
        default:
            raiseTextError("Invalid SceneNumber");
    }
    platform::announceFrame(++app.frames);
}

void pauseGame(App& app) {
    if (app.paused) return;
    app.paused = true;
    app.pausedAt = app.timer->counter->value();
    platform::pauseSound(true);
}

void resumeGame(App& app) {
    if (!app.paused) return;
    app.paused = false;
    platform::pauseSound(false);
    const std::uint64_t pausedTicks = app.timer->counter->value() - app.pausedAt;
    app.timer->restart();
    for (Player* player : world->players) {
        if (player != nullptr) player->gapTimer->skip(pausedTicks);
    }
}

void shutdown() {
    writeResults();
    stopSound();
    destroyContext();
}

int runGuarded(const std::function<int()>& body) {
    try {
        return body();
    } catch (const TextError& error) {
        platform::showMessage(kErrorCaption, error.text, kRunFailed);
        return kRunFailed;
    } catch (const std::exception& error) {
        platform::showMessage(kErrorCaption, error.what(), kRunFailed);
        return kRunFailed;
    }
}

int runAndShutDown(App& app) {
    return runGuarded([&app] {
        runMainLoop(app);
        shutdown();
        return 0;
    });
}

namespace {

// Start-up's two phases: 0, or the exit code of the failure, whose text goes to `failure`.
int startPhases(std::string& failure) {
    try {
        context->app = std::make_unique<App>();
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    } catch (const TextError& error) {
        failure = error.text;
        return kStartupFailed;
    }
    try {
        initialize();
    } catch (const TextError& error) {
        failure = error.text;
        return kStartupFailed;
    } catch (const std::exception& error) {
        failure = error.what();
        return kStartupFailed;
    }
    return 0;
}

}  // namespace

int startUp() {
    std::string failure;
    int started = 0;
    {
        // Until the message pump runs, a quit signal ends the game at once, as at a message box.
        const platform::QuitSignalsEndStartUp quitEndsStartUp;
        started = startPhases(failure);
    }
    if (started == kOutOfMemory) platform::showMessage("Fatal error!", "bad_alloc", kOutOfMemory);
    if (started == kStartupFailed) reportStartupError(failure.c_str());
    return started;
}

int runQuorl() {
    platform::takeQuitSignals();
    createContext();
    const int started = startUp();
    if (started != 0) return started;
    // The game is heard; the runner and the benchmark, which start up the same way, are not.
    startSound();
    // After a fatal error while running nothing is released: the process ends anyway.
    return runAndShutDown(*context->app);
}
