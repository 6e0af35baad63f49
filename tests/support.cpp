// Test support: scratch folders, the shared offscreen context and a clean game world.
#include "tests/support.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <sys/wait.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <utility>

#include "app/context.h"
#include "game/init_game.h"
#include "gfx/screenshot.h"
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
    destroyContext();
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
    createContext();
    gfx->camera = new Camera{};

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
    world->settings = s;
    enforceSettingsInvariants(world->settings);
    initGame();
}

void startTextureManager() {
    ilInit();
    iluInit();
    resizeTextureTable(5);
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
    fs::create_directories(QUORL_FRAMES_DIR);
    const std::string path = std::string(QUORL_FRAMES_DIR) + "/" + name + ".png";
    ilInit();
    saveScreenshot(path.c_str(), 1024, 768);
    return path;
}

namespace {
FakeCounter* activeFake = nullptr;
std::uint64_t fakeValue() {
    return activeFake->now;
}
std::uint64_t fakeFrequency() {
    return activeFake->frequency;
}
const CounterSource fakeSource{fakeValue, fakeFrequency};
}  // namespace

FakeCounter::FakeCounter(std::uint64_t ticksPerSecond) : frequency(ticksPerSecond) {
    activeFake = this;
}

FakeCounter::~FakeCounter() {
    activeFake = nullptr;
}

const CounterSource& FakeCounter::source() const {
    return fakeSource;
}

void writeConfig(const Settings& s, const fs::path& folder) {
    std::vector<std::uint8_t> image(kSettingsFileSize);
    encodeSettings(s, image.data());
    writeFile(folder / "config", image);
}

namespace {
std::string keyMessage(const char* kind, int key) {
    char text[16];
    std::snprintf(text, sizeof text, "%s 0x%02X", kind, key);
    return text;
}
}  // namespace

std::string keyDown(int key) {
    return keyMessage("down", key);
}
std::string keyUp(int key) {
    return keyMessage("up", key);
}
std::string systemKey(int key) {
    return keyMessage("system", key);
}

std::vector<std::string> takeKeyMessages() {
    std::vector<std::string> names;
    platform::Message message;
    while (platform::pollMessage(message)) {
        const KeyChanges changes = takeInput(message);
        for (int key = 0; key < 256; ++key) {
            if (changes.up.test(key)) names.push_back(keyUp(key));
        }
        for (int key = 0; key < 256; ++key) {
            if (changes.down.test(key)) names.push_back(keyDown(key));
        }
        if (changes.systemKey != 0) names.push_back(systemKey(changes.systemKey));
    }
    return names;
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

void markStencil(int x, int y, int width, int height, int value) {
    const GLboolean scissored = glIsEnabled(GL_SCISSOR_TEST);
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, y, width, height);
    glClearStencil(value);
    glClear(GL_STENCIL_BUFFER_BIT);
    glClearStencil(0);
    if (!scissored) glDisable(GL_SCISSOR_TEST);
}

namespace {

void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back((value >> (8 * i)) & 0xFF);
}

// DevIL's format and channel count for a PNG colour type.
std::pair<ILenum, ILubyte> ilLayoutOf(int colorType) {
    switch (colorType) {
        case 0:
            return {IL_LUMINANCE, 1};
        case 3:
            return {IL_COLOUR_INDEX, 1};
        case 4:
            return {IL_LUMINANCE_ALPHA, 2};
        case 6:
            return {IL_RGBA, 4};
        default:
            return {IL_RGB, 3};
    }
}

}  // namespace

std::vector<std::uint8_t> encodePng(std::uint32_t width, std::uint32_t height, int colorType,
                                    int bitDepth, const std::vector<std::uint8_t>& rows,
                                    const std::vector<std::uint8_t>& palette) {
    // DevIL takes 16-bit channels as native shorts; PNG rows hold them big-endian.
    std::vector<std::uint16_t> shorts(bitDepth == 16 ? rows.size() / 2 : 0);
    for (std::size_t i = 0; i < shorts.size(); ++i)
        shorts[i] = static_cast<std::uint16_t>(rows[2 * i] << 8 | rows[2 * i + 1]);
    void* pixels =
        bitDepth == 16 ? static_cast<void*>(shorts.data()) : const_cast<std::uint8_t*>(rows.data());
    const auto [format, channels] = ilLayoutOf(colorType);

    ilInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilTexImage(width, height, 1, channels, format,
               bitDepth == 16 ? IL_UNSIGNED_SHORT : IL_UNSIGNED_BYTE, pixels);
    ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
    if (!palette.empty())
        ilRegisterPal(const_cast<std::uint8_t*>(palette.data()),
                      static_cast<ILuint>(palette.size()), IL_PAL_RGB24);
    // DevIL 1.7 crashes writing a PNG into memory (ilSaveL), so the image goes through a file.
    const fs::path folder = makeScratchFolder("quorl-png");
    const fs::path path = folder / "image.png";
    const bool saved = ilSave(IL_PNG, path.c_str()) != IL_FALSE;
    ilDeleteImages(1, &image);
    EXPECT_TRUE(saved) << "DevIL could not write a " << width << " x " << height << " PNG";
    const std::string text = readText(path);
    fs::remove_all(folder);

    // DevIL adds text chunks of its own; without them the image data follows the header at
    // byte 33, where tests break it on purpose.
    const std::vector<std::uint8_t> png(text.begin(), text.end());
    std::vector<PngChunk> chunks = pngChunks(png);
    chunks.erase(std::remove_if(chunks.begin(), chunks.end(),
                                [](const PngChunk& chunk) { return chunk.type == "tEXt"; }),
                 chunks.end());
    return assemblePng(chunks);
}

std::vector<std::uint8_t> encodeBmp(std::int32_t width, std::int32_t height, int bitsPerPixel,
                                    const std::vector<std::uint8_t>& pixels) {
    const int channels = bitsPerPixel / 8;
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * channels + 3) / 4 * 4;
    const std::size_t dataBytes = rowBytes * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> out = {'B', 'M'};
    putLittleEndian(out, static_cast<std::uint32_t>(54 + dataBytes), 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, 54, 4);  // pixel data offset
    putLittleEndian(out, 40, 4);  // BITMAPINFOHEADER
    putLittleEndian(out, static_cast<std::uint32_t>(width), 4);
    putLittleEndian(out, static_cast<std::uint32_t>(height), 4);
    putLittleEndian(out, 1, 2);  // planes
    putLittleEndian(out, static_cast<std::uint32_t>(bitsPerPixel), 2);
    putLittleEndian(out, 0, 4);  // no compression
    putLittleEndian(out, static_cast<std::uint32_t>(dataBytes), 4);
    putLittleEndian(out, 2835, 4);
    putLittleEndian(out, 2835, 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, 0, 4);
    for (std::int32_t y = height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * width + x) * channels];
            out.insert(out.end(), {p[2], p[1], p[0]});
            if (channels == 4) out.push_back(p[3]);
        }
        out.resize(rowStart + rowBytes, 0);
    }
    return out;
}

std::vector<PngChunk> pngChunks(const std::vector<std::uint8_t>& png) {
    std::vector<PngChunk> chunks;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::size_t length =
            (std::size_t{png[at]} << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
        const auto data = png.begin() + static_cast<std::ptrdiff_t>(at + 8);
        chunks.push_back({std::string(png.begin() + static_cast<std::ptrdiff_t>(at + 4), data),
                          {data, data + static_cast<std::ptrdiff_t>(length)}});
        at += 12 + length;
    }
    return chunks;
}

std::vector<std::uint8_t> assemblePng(const std::vector<PngChunk>& chunks) {
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const auto putBigEndian32 = [&out](std::uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back((value >> shift) & 0xFF);
    };
    for (const PngChunk& chunk : chunks) {
        putBigEndian32(static_cast<std::uint32_t>(chunk.data.size()));
        const std::size_t start = out.size();
        out.insert(out.end(), chunk.type.begin(), chunk.type.end());
        out.insert(out.end(), chunk.data.begin(), chunk.data.end());
        putBigEndian32(static_cast<std::uint32_t>(
            crc32(0, &out[start], static_cast<uInt>(out.size() - start))));
    }
    return out;
}

Outcome runInFolder(const fs::path& folder, const std::string& command) {
    const std::string line =
        "cd '" + folder.string() + "' && env -u DISPLAY " + kTestAudio + " " + command +
        " 2> stderr.txt";
    const int status = std::system(line.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readText(folder / "stderr.txt")};
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

double summaryHeading(const std::string& summary, int player) {
    const std::regex line("player " + std::to_string(player) + " [^\n]*, heading ([-0-9.e+]+)");
    std::smatch match;
    if (!std::regex_search(summary, match, line)) {
        ADD_FAILURE() << "no heading of player " << player << " in:\n" << summary;
        return 0.0;
    }
    return std::stod(match[1]);
}
