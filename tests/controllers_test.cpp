// Game controllers through the message pump, on SDL's virtual joysticks: buttons, stick and
// trigger as their slot's keys, slot assignment, hot plug, keys shared with the keyboard; and
// quorl-runner's scripted controllers: a match steered by two of them, and bad scripts.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/context.h"
#include "core/settings.h"
#include "game/players/controls.h"
#include "game/players/key_input.h"
#include "platform/input_simulation.h"
#include "tests/support.h"

using platform::PadAxis;
using platform::PadButton;
using Keys = std::vector<std::string>;

namespace {

constexpr int kSpace = 32, kEscape = 27;
constexpr int kLeft = 0x25, kRight = 0x27, kUp = 0x26;  // slot 0
constexpr int kLeftArrowScancode = 80;

// Slots 0 and 5 enabled; each test plugs in its own controllers and the fixture unplugs them.
class Controllers : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        world->settings.slotEnabled[0] = 1;
        world->settings.slotEnabled[5] = 1;
        assignControllers();
    }
    void TearDown() override {
        for (int pad : plugged) platform::disconnectVirtualController(pad);
        takeKeyMessages();
        GlTest::TearDown();
    }
    // A new controller, connected and seen by the pump.
    int plugIn() {
        const int pad = platform::connectVirtualController();
        EXPECT_GE(pad, 0);
        plugged.push_back(pad);
        EXPECT_EQ(takeKeyMessages(), Keys{});
        return pad;
    }
    static Keys press(int pad, PadButton button, bool down = true) {
        platform::setVirtualButton(pad, button, down);
        return takeKeyMessages();
    }
    static Keys move(int pad, PadAxis axis, int value) {
        platform::setVirtualAxis(pad, axis, value);
        return takeKeyMessages();
    }
    static Keys keyboard(int scancode, bool down) {
        platform::queueKeyEvent(scancode, down);
        return takeKeyMessages();
    }
    std::vector<int> plugged;
};

}  // namespace

TEST_F(Controllers, EachMappedButtonPressesAndReleasesItsSlotsKey) {
    const int pad = plugIn();
    const struct {
        PadButton button;
        int key;
    } rows[] = {{PadButton::dpadLeft, kLeft},   {PadButton::leftShoulder, kLeft},
                {PadButton::dpadRight, kRight}, {PadButton::rightShoulder, kRight},
                {PadButton::south, kUp},        {PadButton::start, kSpace}};
    for (const auto& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.button));
        EXPECT_EQ(press(pad, row.button), Keys{keyDown(row.key)});
        EXPECT_EQ(press(pad, row.button, false), Keys{keyUp(row.key)});
    }
    // Two buttons of one key: the key stays down until both are let go.
    EXPECT_EQ(press(pad, PadButton::dpadLeft), Keys{keyDown(kLeft)});
    EXPECT_EQ(press(pad, PadButton::leftShoulder), Keys{});
    EXPECT_EQ(press(pad, PadButton::dpadLeft, false), Keys{});
    EXPECT_EQ(press(pad, PadButton::leftShoulder, false), Keys{keyUp(kLeft)});
}

TEST_F(Controllers, StickAndTriggerCountFromHalfTheirRangeAndHoldDownToThreeEighths) {
    const int pad = plugIn();
    EXPECT_EQ(move(pad, PadAxis::leftX, 16383), Keys{});
    EXPECT_EQ(move(pad, PadAxis::leftX, 16384), Keys{keyDown(kRight)});
    EXPECT_EQ(move(pad, PadAxis::leftX, 12288), Keys{});
    EXPECT_EQ(move(pad, PadAxis::leftX, 12287), Keys{keyUp(kRight)});
    EXPECT_EQ(move(pad, PadAxis::leftX, -16383), Keys{});
    EXPECT_EQ(move(pad, PadAxis::leftX, -16384), Keys{keyDown(kLeft)});
    EXPECT_EQ(move(pad, PadAxis::leftX, 32767), (Keys{keyUp(kLeft), keyDown(kRight)}));
    EXPECT_EQ(move(pad, PadAxis::leftX, 0), Keys{keyUp(kRight)});

    EXPECT_EQ(move(pad, PadAxis::rightTrigger, 16383), Keys{});
    EXPECT_EQ(move(pad, PadAxis::rightTrigger, 16384), Keys{keyDown(kUp)});
    EXPECT_EQ(move(pad, PadAxis::rightTrigger, 12288), Keys{});
    EXPECT_EQ(move(pad, PadAxis::rightTrigger, 12287), Keys{keyUp(kUp)});
}

TEST_F(Controllers, EnabledSlotsGoToControllersInConnectionOrderAndFreedSlotsToNewOnes) {
    world->settings = Settings{};
    world->settings.slotEnabled[1] = world->settings.slotEnabled[3] =
        world->settings.slotEnabled[4] = 1;
    assignControllers();
    const int first = plugIn(), second = plugIn(), third = plugIn(), fourth = plugIn();
    EXPECT_EQ(press(first, PadButton::south), Keys{keyDown(kDefaultBindings[1].fire)});
    EXPECT_EQ(press(second, PadButton::south), Keys{keyDown(kDefaultBindings[3].fire)});
    EXPECT_EQ(press(third, PadButton::south), Keys{keyDown(kDefaultBindings[4].fire)});
    // One controller too many steers nothing, but its Start still works.
    EXPECT_EQ(press(fourth, PadButton::dpadLeft), Keys{});
    EXPECT_EQ(press(fourth, PadButton::start), Keys{keyDown(kSpace)});

    platform::disconnectVirtualController(second);
    EXPECT_EQ(takeKeyMessages(), Keys{keyUp(kDefaultBindings[3].fire)});
    const int fifth = plugIn();
    EXPECT_EQ(press(fifth, PadButton::dpadRight), Keys{keyDown(kDefaultBindings[3].right)});
    EXPECT_EQ(press(fourth, PadButton::dpadRight), Keys{});
}

TEST_F(Controllers, PressTheirSlotsKeysAsBound) {
    world->controls.keyBindings[0] = {'Z', 'C', 'X'};
    assignControllers();
    const int pad = plugIn();
    EXPECT_EQ(press(pad, PadButton::dpadLeft), Keys{keyDown('Z')});
    EXPECT_EQ(press(pad, PadButton::rightShoulder), Keys{keyDown('C')});
    EXPECT_EQ(press(pad, PadButton::south), Keys{keyDown('X')});
}

TEST_F(Controllers, UnpluggingReleasesWhatOnlyItHeld) {
    const int pad = plugIn(), other = plugIn();
    press(pad, PadButton::dpadLeft);
    move(pad, PadAxis::rightTrigger, 32767);
    press(pad, PadButton::start);
    EXPECT_EQ(press(other, PadButton::start), Keys{});
    platform::disconnectVirtualController(pad);
    Keys released = takeKeyMessages();
    std::sort(released.begin(), released.end());
    // SPACE stays down: the other controller's Start still holds it.
    EXPECT_EQ(released, (Keys{keyUp(kLeft), keyUp(kUp)}));
    EXPECT_EQ(press(other, PadButton::start, false), Keys{keyUp(kSpace)});
}

TEST_F(Controllers, ButtonHeldWhilePluggingInCountsAtOnce) {
    const int pad = platform::connectVirtualController();
    plugged.push_back(pad);
    platform::setVirtualButton(pad, PadButton::south, true);
    EXPECT_EQ(takeKeyMessages(), Keys{keyDown(kUp)});
}

TEST_F(Controllers, StartIsSpaceAndBackWithStartIsEscapeAlone) {
    const int pad = plugIn();
    EXPECT_EQ(press(pad, PadButton::back), Keys{});
    EXPECT_EQ(press(pad, PadButton::start), Keys{keyDown(kEscape)});
    EXPECT_EQ(press(pad, PadButton::back, false), (Keys{keyUp(kEscape), keyDown(kSpace)}));
    EXPECT_EQ(press(pad, PadButton::start, false), Keys{keyUp(kSpace)});
}

TEST_F(Controllers, KeyboardAndControllerHoldingOneKeyReleaseItWhenBothLetGo) {
    const int pad = plugIn();
    EXPECT_EQ(keyboard(kLeftArrowScancode, true), Keys{keyDown(kLeft)});
    EXPECT_EQ(press(pad, PadButton::dpadLeft), Keys{});
    EXPECT_EQ(keyboard(kLeftArrowScancode, false), Keys{});
    EXPECT_EQ(press(pad, PadButton::dpadLeft, false), Keys{keyUp(kLeft)});

    EXPECT_EQ(press(pad, PadButton::dpadLeft), Keys{keyDown(kLeft)});
    EXPECT_EQ(keyboard(kLeftArrowScancode, true), Keys{});
    // Losing the keyboard focus releases the keyboard, not the controller.
    platform::queueFocusLoss();
    EXPECT_EQ(takeKeyMessages(), Keys{});
    EXPECT_EQ(press(pad, PadButton::dpadLeft, false), Keys{keyUp(kLeft)});
}

TEST(ControllerMatch, TwoVirtualControllersTurnBothLines) {
    const std::filesystem::path folder = makeScratchFolder("quorl-controllers");
    linkImages(folder);
    writeConfig(matchSettings(), folder);
    const std::string runner = "'" + std::string(QUORL_RUNNER) + "' --seed 3 --frames 60";
    // The second controller's Start starts the round; then the first steers slot 0 left with
    // the D-pad and the second slot 5 right with the stick.
    const Outcome steered = runInFolder(
        folder, runner +
                    " --pad 0:connect --pad 0:connect --pad 0+2:1:start --pad 10:down:0:dpleft"
                    " --pad 10:axis:1:stick:32767 > steered.txt");
    ASSERT_EQ(steered.exitCode, 0) << steered.errors;
    const Outcome straight = runInFolder(folder, runner + " --key 0+2:space > straight.txt");
    ASSERT_EQ(straight.exitCode, 0) << straight.errors;

    const std::string turned = readText(folder / "steered.txt");
    const std::string ahead = readText(folder / "straight.txt");
    // 50 frames of 16 ms at 180 degrees a second: 144 degrees each way.
    EXPECT_NEAR(summaryHeading(turned, 0) - summaryHeading(ahead, 0), 144.0, 5.0)
        << turned << ahead;
    EXPECT_NEAR(summaryHeading(turned, 1) - summaryHeading(ahead, 1), -144.0, 5.0)
        << turned << ahead;
    std::filesystem::remove_all(folder);
}

TEST(ControllerMatch, BadControllerEventsAreRefusedWithTheirReason) {
    const std::filesystem::path folder = makeScratchFolder("quorl-controllers");
    const struct {
        const char* pads;
        const char* reason;
    } rows[] = {
        {"--pad 3:down:0:a", "controller 0 at frame 3 is not connected yet"},
        {"--pad 0:connect --pad 5:disconnect:0 --pad 5:up:0:a",
         "controller 0 at frame 5 is unplugged already"},
        {"--pad 0:connect --pad 1:axis:0:rt:-1",
         "axis value '-1' in pad event '1:axis:0:rt:-1' is not a number from 0 to 32767"},
        {"--pad 0:down:0:x", "unknown button 'x'"},
        {"--pad 0:hold:0:a", "pad event '0:hold:0:a' is none of FRAME:connect"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pads);
        const Outcome outcome =
            runInFolder(folder, "'" + std::string(QUORL_RUNNER) + "' " + row.pads);
        EXPECT_EQ(outcome.exitCode, 2);
        EXPECT_NE(outcome.errors.find(std::string("quorl-runner: ") + row.reason),
                  std::string::npos)
            << outcome.errors;
    }
    std::filesystem::remove_all(folder);
}
