// The main loop's passes, the frame step's scene dispatch and the fatal-error exit.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "app/app.h"
#include "app/context.h"
#include "app/window.h"
#include "core/text_error.h"
#include "game/players/player.h"
#include "tests/support.h"

using platform::MessageKind;

namespace {

// An App in the idle scene on a hand-moved counter; windowSettings start inactive (minimised).
class MainLoop : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        writeConfig(Settings{});
        loop = std::make_unique<App>();
        loop->timer->counter = &counter.source();
        loop->timer->restart();
        world->scenes.scene = kIdleScene;
    }
    static void post(MessageKind kind, std::uint8_t key = 0, bool minimized = false) {
        platform::Message m;
        m.kind = kind;
        m.key = key;
        m.minimized = minimized;
        platform::postMessage(m);
    }
    FakeCounter counter{1000};
    std::unique_ptr<App> loop;
};

}  // namespace

TEST_F(MainLoop, NoFramesWhileMinimisedThenEveryQueuedMessageBeforeAFrameCoveringTheWait) {
    world->controls.KeyState[27] = 1;
    EXPECT_EQ(pumpOnce(*loop), LoopStep::idle);  // ESC is not read while minimised
    EXPECT_FALSE(loop->quit);
    world->controls.KeyState[27] = 0;
    counter.now += 5000;
    post(MessageKind::activate);
    post(MessageKind::keyDown, 'A');
    post(MessageKind::keyDown, 'B');
    for (int i = 0; i < 3; ++i) EXPECT_EQ(pumpOnce(*loop), LoopStep::message) << i;
    EXPECT_EQ(world->controls.KeyState['B'], 1);
    EXPECT_EQ(pumpOnce(*loop), LoopStep::frame);
    EXPECT_DOUBLE_EQ(loop->frameTime, 5000.0);
}

// Minimised, no line may move or open a gap: after the restore the first frame measures from
// the restore on, and the gap timers leave the minimised time out. The platform sends the
// minimised state more than once (minimise, then focus loss; restore, then focus gain).
TEST_F(MainLoop, MinimisingPausesTheGameUntilTheWindowIsRestored) {
    useCounter(counter.source());
    startGame(matchSettings());
    useCounter(platformCounter());
    context->app.reset(loop.get());  // the run's App, which the window procedure pauses
    context->window.settings.active = true;
    counter.now += 700;
    EXPECT_EQ(pumpOnce(*loop), LoopStep::frame);
    EXPECT_DOUBLE_EQ(loop->frameTime, 700.0);
    counter.now += 300;
    post(MessageKind::activate, 0, true);
    post(MessageKind::activate, 0, true);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(pumpOnce(*loop), LoopStep::message) << i;
    counter.now += 3000;
    EXPECT_EQ(pumpOnce(*loop), LoopStep::idle);
    post(MessageKind::activate);
    post(MessageKind::activate);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(pumpOnce(*loop), LoopStep::message) << i;
    counter.now += 16;
    EXPECT_EQ(pumpOnce(*loop), LoopStep::frame);
    EXPECT_DOUBLE_EQ(loop->frameTime, 16.0);
    EXPECT_DOUBLE_EQ(world->players[0]->gapTimer->elapsedSeconds(), 1.016);
    EXPECT_DOUBLE_EQ(world->players[1]->gapTimer->elapsedSeconds(), 1.016);
    context->app.release();
}

TEST_F(MainLoop, EscapeQuitsAfterExactlyOneMoreFrame) {
    context->window.settings.active = true;
    world->controls.KeyState[27] = 1;
    counter.now += 16;
    EXPECT_EQ(pumpOnce(*loop), LoopStep::frame);
    EXPECT_TRUE(loop->quit);
    EXPECT_DOUBLE_EQ(loop->frameTime, 16.0);
    runMainLoop(*loop);  // returns at once: quit is set
}

TEST_F(MainLoop, QuitMessageEndsTheLoopWithoutAFrame) {
    context->window.settings.active = true;
    post(MessageKind::close);
    runMainLoop(*loop);
    EXPECT_TRUE(loop->quit);
    EXPECT_EQ(loop->frameTime, 0.0);
}

TEST_F(MainLoop, IdleSceneMeasuresTimeAndDrawsNothing) {
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    counter.now += 40;
    stepFrame(*loop);
    EXPECT_DOUBLE_EQ(loop->frameTime, 40.0);
    const Rgba after = colorAt(500, 400);
    EXPECT_NEAR(after.r, 51, 1);
    EXPECT_NEAR(after.b, 153, 1);
}

TEST_F(MainLoop, UnknownSceneIsAFatalErrorEndingWithMinusThree) {
    world->scenes.scene = 3;
    try {
        stepFrame(*loop);
        FAIL() << "no error";
    } catch (const TextError& error) {
        EXPECT_STREQ(error.text, "Invalid SceneNumber");
    }
    context->window.settings.active = true;
    testing::internal::CaptureStderr();
    EXPECT_EQ(runAndShutDown(*loop), -3);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Invalid SceneNumber"),
              std::string::npos);
}
