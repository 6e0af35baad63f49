// Test support: scratch folders, the shared offscreen context and a clean game world.
#include "tests/support.h"

#include <GL/gl.h>
#include <IL/il.h>

#include <cstring>
#include <fstream>
#include <random>

#include "app/frame_timer.h"
#include "app/init_game.h"
#include "app/window.h"
#include "game/entities/entity_tables.h"
#include "game/players/player.h"
#include "game/scenes/intro_scene.h"
#include "game/scenes/scene_state.h"
#include "gfx/camera.h"
#include "gfx/texture_manager.h"
#include "platform/platform.h"

namespace fs = std::filesystem;

fs::path makeScratchFolder(const std::string& stem) {
    std::random_device entropy;
    fs::path folder;
    do {
        folder = fs::temp_directory_path() / (stem + "-" + std::to_string(entropy()));
    } while (fs::exists(folder));
    fs::create_directories(folder);
    return folder;
}

void linkImages(const fs::path& folder) {
    const fs::path source = QUORL_SOURCE_DIR;
    fs::create_directory_symlink(source / "system", folder / "system");
    fs::create_directory_symlink(source / "patterns", folder / "patterns");
}

void writeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void GlEnvironment::SetUp() {
    platform::WindowRequest request{"Quorl tests", 1024, 768, 32, false};
    ASSERT_EQ(platform::openWindow(request), platform::OpenResult::ok) << "no offscreen GL context";
}

void GlEnvironment::TearDown() {
    resetWorld();
    platform::closeWindow();
}

Settings matchSettings() {
    Settings s{};
    s.clearColorRed = 10;
    s.clearColorGreen = 20;
    s.clearColorBlue = 30;
    s.matchLimit = 5;
    s.gapLength = 20;
    s.lineWidth = 4;
    s.speed = 100;
    s.turnRate = 180;
    s.maxPickups = 3;
    s.holeRadius = 16;
    s.slotEnabled[0] = 1;
    s.slotEnabled[5] = 1;
    s.playerCount = 2;
    std::strcpy(s.playerName[0], "Red");
    std::strcpy(s.playerName[5], "Cyan");
    std::strcpy(s.patternFile[0], "red.png");
    std::strcpy(s.patternFile[5], "cyan.png");
    return s;
}

void resetWorld() {
    destroyEntityTables();
    destroyPlayers();
    releaseTextures();
    delete camera;
    camera = new Camera{};
    settings = Settings{};
    windowSettings = WindowSettings{};
    std::memset(KeyState, 0, sizeof KeyState);
    roundCounter = 0;
    spaceLatch = 0;
    introClock = 0.0;
    introScroll = 0.0;
    platform::discardMessages();

    glDisable(GL_STENCIL_TEST);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glStencilFunc(GL_ALWAYS, 0, ~0u);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glClearColor(0, 0, 0, 0);
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glColor4f(1, 1, 1, 1);
    setOrthographicProjection(1024, 768);
    while (glGetError() != GL_NO_ERROR) {
    }
}

void startGame(const Settings& s) {
    settings = s;
    enforceSettingsInvariants(settings);
    initGame();
}

int stencilAt(int x, int y) {
    GLubyte value = 0;
    glReadPixels(x, y, 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, &value);
    return value;
}

Rgba colorAt(int x, int y) {
    GLubyte p[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2], p[3]};
}

std::string saveFrame(const std::string& name) {
    std::vector<GLubyte> pixels(1024 * 768 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 1024, 768, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    fs::create_directories(QUORL_FRAMES_DIR);
    const std::string path = std::string(QUORL_FRAMES_DIR) + "/" + name + ".png";
    ilInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    // GL rows run bottom-up, which is DevIL's lower-left origin.
    ilTexImage(1024, 768, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, pixels.data());
    ilEnable(IL_FILE_OVERWRITE);
    ilSave(IL_PNG, path.c_str());
    ilDeleteImages(1, &image);
    return path;
}

namespace {
FakeCounter* activeFake = nullptr;
std::uint64_t fakeValue() { return activeFake->now; }
std::uint64_t fakeFrequency() { return activeFake->frequency; }
const CounterSource fakeSource{fakeValue, fakeFrequency};
}  // namespace

FakeCounter::FakeCounter(std::uint64_t ticksPerSecond) : frequency(ticksPerSecond) {
    activeFake = this;
}

FakeCounter::~FakeCounter() { activeFake = nullptr; }

const CounterSource& FakeCounter::source() const { return fakeSource; }

void writeConfig(const Settings& s) {
    std::vector<std::uint8_t> image(kSettingsFileSize);
    encodeSettings(s, image.data());
    writeFile("config", image);
}

int countPixels(int x0, int y0, int x1, int y1, int low, int high) {
    const int width = x1 - x0, height = y1 - y0;
    std::vector<GLubyte> pixels(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x0, y0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    int count = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 3) {
        const bool inside = [&] {
            for (std::size_t c = i; c < i + 3; ++c) {
                if (pixels[c] < low || pixels[c] > high) return false;
            }
            return true;
        }();
        if (inside) ++count;
    }
    return count;
}
