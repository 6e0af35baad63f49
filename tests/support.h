// Shared test support: scratch folders, the offscreen GL context, a clean game world, pixels.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/settings.h"
#include "game/frame_timer.h"

// A new empty folder under the system's temporary folder.
std::filesystem::path makeScratchFolder(const std::string& stem);

// Links the repository's system/ and patterns/ folders into `folder`.
void linkImages(const std::filesystem::path& folder);

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// Opens the 1024 x 768 offscreen context once for the whole test program, and destroys the last
// run's context at the end.
class GlEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;
};

// Two players (slots 0 and 5), no gaps, no pickups, a score limit of 5: a small, known match.
Settings matchSettings();

// Every test starts from nothing: a new context with a camera, on a cleared GL state.
void resetWorld();

// Starts the game with these settings: the same start-up as the program's, then no rounds.
void startGame(const Settings& s);

// Starts the image library and an empty texture table of 5 slots, as start-up does.
void startTextureManager();

// Reads back the stencil value and the colour of one window pixel.
int stencilAt(int x, int y);
struct Rgba {
    int r, g, b, a;
};
Rgba colorAt(int x, int y);

// Saves the colour buffer as a PNG for a person to look at; returns its path.
std::string saveFrame(const std::string& name);

// A GL test starts from a clean world on the shared context and tears it down afterwards.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override { resetWorld(); }
    void TearDown() override { resetWorld(); }
};

// A counter the test moves by hand: `now` ticks at `frequency` ticks per second. One fake
// exists at a time, since the counter functions are plain function pointers.
struct FakeCounter {
    explicit FakeCounter(std::uint64_t ticksPerSecond);
    ~FakeCounter();
    const CounterSource& source() const;
    std::uint64_t now = 0;
    std::uint64_t frequency;
};

// Writes `s` as the `config` file of a folder, by default the working folder, where the App
// record reads it.
void writeConfig(const Settings& s, const std::filesystem::path& folder = ".");

// Takes every queued message, hands it to the game's key input as windowProc does, and names the
// changes the keyboard and controller reports make to the key state, in order: "down 0x25",
// "up 0x25", or "system 0x25" for a system key, which changes nothing (Alt, F10, or a key
// pressed or released with Alt). Other messages change nothing.
std::vector<std::string> takeKeyMessages();
std::string keyDown(int key);
std::string keyUp(int key);
std::string systemKey(int key);

// Counts the pixels of the window rectangle x0 <= x < x1, y0 <= y < y1 whose red, green and
// blue all lie between `low` and `high`.
int countPixels(int x0, int y0, int x1, int y1, int low, int high);

// Sets the stencil of the window rectangle from (x, y), `width` by `height` pixels, to `value`
// (collision marks without drawing a line); leaves the clear value at 0 as rounds expect.
void markStencil(int x, int y, int width, int height, int value = 1);

// A PNG file of exactly the given kind (colour type 0, 2, 3, 4 or 6; bit depth 8 or 16), written
// by DevIL, so tests can make the images they need. `rows` holds the pixel rows top first, as
// PNG stores them, without filter bytes; a non-empty `palette` (RGB triples) is written as PLTE.
// Its chunks are the header, the palette if any, the image data and the end, in that order.
std::vector<std::uint8_t> encodePng(std::uint32_t width, std::uint32_t height, int colorType,
                                    int bitDepth, const std::vector<std::uint8_t>& rows,
                                    const std::vector<std::uint8_t>& palette = {});

// An uncompressed 24- or 32-bit BMP file. `pixels` holds RGB (or RGBA for 32 bits) rows top
// first; they are stored bottom-up in BGR(A) order with padded rows, as BMP files keep them.
std::vector<std::uint8_t> encodeBmp(std::int32_t width, std::int32_t height, int bitsPerPixel,
                                    const std::vector<std::uint8_t>& pixels);

// The chunks of a PNG file, and a PNG file made of chunks (each given its length and checksum),
// so that tests can take a valid image apart and put a hostile variant of it together.
struct PngChunk {
    std::string type;
    std::vector<std::uint8_t> data;
};
std::vector<PngChunk> pngChunks(const std::vector<std::uint8_t>& png);
std::vector<std::uint8_t> assemblePng(const std::vector<PngChunk>& chunks);

// How a program run by a test ended: its exit code (-1 when killed) and its standard error.
struct Outcome {
    int exitCode;
    std::string errors;
};

// Runs a shell command in `folder` with no display, keeping its standard error.
// The audio device of the programs the tests start: SDL's silent one, so that the machine's
// lack of sound changes nothing; a test's own SDL_AUDIODRIVER, given after it, wins.
inline constexpr const char* kTestAudio = "SDL_AUDIODRIVER=dummy";

Outcome runInFolder(const std::filesystem::path& folder, const std::string& command);

std::string readText(const std::filesystem::path& path);

// The heading of a player in quorl-runner's summary (a test failure, and 0, when there is none).
double summaryHeading(const std::string& summary, int player);
