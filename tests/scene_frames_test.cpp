// Whole frames of the intro and the game scene, rendered offscreen and checked by regions.
#include <gtest/gtest.h>

#include <cstring>

#include "app/app.h"
#include "app/window.h"
#include "game/players/player.h"
#include "game/scenes/game_scene.h"
#include "game/scenes/intro_scene.h"
#include "game/scenes/round_start.h"
#include "game/scenes/scene_state.h"
#include "tests/support.h"

namespace {

class SceneFrames : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        startGame(matchSettings());
        app.frameTime = 16.0;
    }
    // A stand-in for the App record: the scenes only read frameTime and write scene.
    struct FakeApp {
        double frameTime = 0.0;
    };
    App app = makeApp();

    static App makeApp() {
        std::uint8_t image[kSettingsFileSize] = {};
        encodeSettings(matchSettings(), image);
        writeFile("config", std::vector<std::uint8_t>(image, image + sizeof image));
        return App{};
    }
};

}  // namespace

TEST_F(SceneFrames, IntroAtStartAndAtThreeSeconds) {
    app.frameTime = 0.0;
    introSceneFrame(app);
    saveFrame("intro-0ms");
    app.frameTime = 3000.0;
    introSceneFrame(app);
    saveFrame("intro-3000ms");
}

TEST_F(SceneFrames, RunningRoundAndFinishedRound) {
    startRound();
    app.scene = 1;
    for (int i = 0; i < 60; ++i) gameSceneFrame(app);
    saveFrame("round-running");
    while (players[0]->alive && players[1]->alive) gameSceneFrame(app);
    gameSceneFrame(app);
    saveFrame("round-over");
}
