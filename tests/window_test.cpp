// The window procedure fed translated messages, the keyboard's events through the message pump,
// and the physical-key translation table with the names of its keys.
#include "app/window.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <set>

#include "app/context.h"
#include "core/bindings.h"
#include "gfx/camera.h"
#include "gfx/image_names.h"
#include "gfx/texture_manager.h"
#include "platform/input_simulation.h"
#include "platform/platform.h"
#include "tests/support.h"

namespace {

platform::Message message(platform::MessageKind kind) {
    platform::Message m;
    m.kind = kind;
    return m;
}

platform::Message key(platform::MessageKind kind, std::uint8_t code, std::uint8_t modifiers = 0) {
    platform::Message m = message(kind);
    m.key = code;
    m.modifiers = modifiers;
    return m;
}

platform::Message size(int width, int height) {
    platform::Message m = message(platform::MessageKind::size);
    m.width = width;
    m.height = height;
    return m;
}

std::array<GLint, 4> viewport() {
    std::array<GLint, 4> v{};
    glGetIntegerv(GL_VIEWPORT, v.data());
    return v;
}

}  // namespace

using platform::MessageKind;
using WindowProc = GlTest;

TEST_F(WindowProc, SizeStoresTheClientSizeWithAZeroHeightAsOne) {
    windowProc(size(800, 600));
    EXPECT_EQ(gfx->viewport.width, 800);
    EXPECT_EQ(gfx->viewport.height, 600);
    EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 800, 600}));
    windowProc(size(640, 0));
    EXPECT_EQ(gfx->viewport.height, 1);
    EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 640, 1}));
}

TEST_F(WindowProc, SizeBeforeTheCameraExistsTouchesNoGlState) {
    delete gfx->camera;
    gfx->camera = nullptr;
    const auto before = viewport();
    windowProc(size(300, 200));
    EXPECT_EQ(gfx->viewport.width, 300);
    EXPECT_EQ(viewport(), before);
}

TEST_F(WindowProc, MinimisedWindowLeavesNoGlErrorForLater) {
    windowProc(size(0, 0));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(gfx->viewport.width, 0);
    windowProc(size(1024, 768));
    EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 1024, 768}));
}

TEST_F(WindowProc, TexturesLoadWithoutABogusErrorAcrossMinimiseAndRestore) {
    startGame(matchSettings());
    windowProc(size(0, 0));
    EXPECT_NO_THROW(loadTexture(kPickupImage));
    windowProc(size(1024, 768));
    EXPECT_NO_THROW(loadTexture(kRocketImage));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(WindowProc, ActivateFollowsTheMinimisedState) {
    platform::Message activate = message(MessageKind::activate);
    windowProc(activate);
    EXPECT_TRUE(context->window.settings.active);
    activate.minimized = true;
    windowProc(activate);
    EXPECT_FALSE(context->window.settings.active);
}

TEST_F(WindowProc, CloseQueuesAQuitAndDestroysNothing) {
    windowProc(message(MessageKind::close));
    platform::Message next;
    ASSERT_TRUE(platform::pollMessage(next));
    EXPECT_EQ(next.kind, MessageKind::quit);
}

TEST_F(WindowProc, KeysAreRecordedButNotTogetherWithAlt) {
    windowProc(key(MessageKind::keyDown, 'Q'));
    windowProc(key(MessageKind::keyDown, 'Q'));  // auto-repeat
    EXPECT_EQ(world->controls.KeyState['Q'], 1);
    windowProc(key(MessageKind::keyDown, 'W', platform::kLeftAlt));
    EXPECT_EQ(world->controls.KeyState['W'], 0);
    // A key released while Alt is held is a system key: it stays down.
    windowProc(key(MessageKind::keyUp, 'Q', platform::kLeftAlt));
    EXPECT_EQ(world->controls.KeyState['Q'], 1);
    windowProc(key(MessageKind::keyUp, 'Q'));
    EXPECT_EQ(world->controls.KeyState['Q'], 0);
}

using Keyboard = GlTest;
using Keys = std::vector<std::string>;

namespace {
// Physical positions (USB HID usage ids).
constexpr int kQ = 20, kF10 = 67, kLeftArrow = 80, kLeftAltKey = 226;
}  // namespace

TEST_F(Keyboard, KeysWithCtrlAltOrAltGrAreRecordedButNotWithAltAloneOrAltOrF10Themselves) {
    using platform::queueKeyEvent;
    for (unsigned modifiers :
         {unsigned{platform::kCtrl | platform::kLeftAlt}, unsigned{platform::kRightAlt},
          unsigned{platform::kLeftAlt | platform::kAltGr}}) {
        SCOPED_TRACE(modifiers);
        queueKeyEvent(kQ, true, modifiers);
        queueKeyEvent(kQ, false, modifiers);
        EXPECT_EQ(takeKeyMessages(), (Keys{keyDown('Q'), keyUp('Q')}));
    }
    queueKeyEvent(kQ, true, platform::kLeftAlt);
    queueKeyEvent(kQ, false, platform::kLeftAlt);
    queueKeyEvent(kLeftAltKey, true, platform::kCtrl);
    queueKeyEvent(kF10, true);
    EXPECT_EQ(takeKeyMessages(),
              (Keys{systemKey('Q'), systemKey('Q'), systemKey(0x12), systemKey(0x79)}));
}

TEST_F(Keyboard, FocusLossReleasesAKeyThatSdlLetGoWhileAltWasHeld) {
    using platform::queueKeyEvent;
    queueKeyEvent(kLeftArrow, true);
    queueKeyEvent(kQ, true);
    queueKeyEvent(kQ, false);
    queueKeyEvent(kLeftAltKey, true, platform::kLeftAlt);
    // Alt+Tab: SDL lets go of every key it saw held, the arrow while Alt is still down.
    queueKeyEvent(kLeftArrow, false, platform::kLeftAlt);
    queueKeyEvent(kLeftAltKey, false);
    EXPECT_EQ(takeKeyMessages(), (Keys{keyDown(0x25), keyDown('Q'), keyUp('Q'), systemKey(0x12),
                                       systemKey(0x25), systemKey(0x12)}));
    platform::queueFocusLoss();
    EXPECT_EQ(takeKeyMessages(), Keys{keyUp(0x25)});
    // Back in the window, a press goes down again.
    queueKeyEvent(kLeftArrow, true);
    EXPECT_EQ(takeKeyMessages(), Keys{keyDown(0x25)});
}

TEST(KeyMap, PhysicalKeysGiveTheGamesVirtualKeyCodes) {
    // USB HID usage ids: the physical positions of the keys.
    EXPECT_EQ(platform::virtualKeyForScancode(4), 'A');
    EXPECT_EQ(platform::virtualKeyForScancode(20), 'Q');
    EXPECT_EQ(platform::virtualKeyForScancode(41), 27);    // Escape
    EXPECT_EQ(platform::virtualKeyForScancode(44), 32);    // Space
    EXPECT_EQ(platform::virtualKeyForScancode(80), 0x25);  // Left
    EXPECT_EQ(platform::virtualKeyForScancode(82), 0x26);  // Up
    EXPECT_EQ(platform::virtualKeyForScancode(79), 0x27);  // Right
    EXPECT_EQ(platform::virtualKeyForScancode(84), 0x6F);  // keypad /
    EXPECT_EQ(platform::virtualKeyForScancode(85), 0x6A);  // keypad *
    EXPECT_EQ(platform::virtualKeyForScancode(86), 0x6D);  // keypad -
    EXPECT_EQ(platform::virtualKeyForScancode(73), 0x2D);  // Insert
    EXPECT_EQ(platform::virtualKeyForScancode(74), 0x24);  // Home
    EXPECT_EQ(platform::virtualKeyForScancode(75), 0x21);  // Page Up
    EXPECT_EQ(platform::virtualKeyForScancode(0), 0);
    EXPECT_EQ(platform::virtualKeyForScancode(-1), 0);
    EXPECT_EQ(platform::virtualKeyForScancode(100000), 0);
    // Every key the keyboard reports has a name for the keys file, and every name a key.
    std::set<std::uint8_t> reported;
    for (int scancode = 0; scancode < 512; ++scancode) {
        const std::uint8_t key = platform::virtualKeyForScancode(scancode);
        if (key == 0) continue;
        reported.insert(key);
        EXPECT_NE(keyName(key), "") << scancode;
    }
    EXPECT_EQ(reported, std::set<std::uint8_t>(namedKeys().begin(), namedKeys().end()));
}
