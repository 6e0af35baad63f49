// Bad input to the real game, each run in a scratch folder without a display: settings and keys
// files, pattern and system images, images missing in play, closing mid-round; and a line of
// speed 0.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <future>

#include "app/context.h"
#include "game/entities/entity_tables.h"
#include "game/players/movement.h"
#include "game/players/player.h"
#include "tests/quit_run.h"
#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

using Prepare = std::function<void(const fs::path&)>;

// How a row runs: the game itself, ended by SIGTERM (as closing its window) once it runs;
// or quorl-runner playing rounds with every fire key held, to its last frame or to SIGTERM.
enum class Run { game, play, playUntilClosed };

struct Row {
    const char* what;
    Prepare prepare;  // changes the standard run folder
    int exitCode;
    std::string message;  // the error shown; empty when none may be shown
    bool logged;          // whether errorlog.txt holds it
    Run run = Run::game;
};

const std::string kNotFound = "Texture not found:\n";
const std::string kConfigError = "Couldn't open config-file! :(";
const std::string kKeysError = "Couldn't use the keys file! :(\n";
const std::string kKeysHint = "\nMend or remove the file (quorl-config check lists the same).";
const std::string kNotRegular = "Couldn't open config-file! :(\nconfig: is not a regular file";

// The error of a config file of `size` bytes, too short to hold every setting.
std::string shortConfigError(std::size_t size) {
    return "Couldn't use config-file! :(\nconfig is " + std::to_string(size) +
           " bytes instead of 1618: settings are missing.\nMake a new one with quorl-config new "
           "--force.";
}

// Replaces the file `leaf` of the run folder by a named pipe, which nobody writes: opening it
// for reading would wait for ever.
Prepare namedPipe(const std::string& leaf) {
    return [leaf](const fs::path& folder) {
        fs::remove(folder / leaf);
        ASSERT_EQ(mkfifo((folder / leaf).c_str(), 0644), 0);
    };
}

// Two players, gaps every second and plenty of pickups, so that play fires rockets.
Settings standardSettings() {
    Settings s = matchSettings();
    s.gapInterval = 1;
    s.pickupsEnabled = 1;
    s.maxPickups = 50;
    return s;
}

std::vector<std::uint8_t> configBytes(const Settings& s) {
    std::vector<std::uint8_t> image(kSettingsFileSize);
    encodeSettings(s, image.data());
    return image;
}

Prepare settingsWith(std::function<void(Settings&)> change) {
    return [change](const fs::path& folder) {
        Settings s = standardSettings();
        change(s);
        writeFile(folder / "config", configBytes(s));
    };
}

Prepare configFile(std::vector<std::uint8_t> bytes) {
    return [bytes](const fs::path& folder) { writeFile(folder / "config", bytes); };
}

Prepare keysFile(const std::string& text) {
    return [text](const fs::path& folder) {
        writeFile(folder / "keys", std::vector<std::uint8_t>(text.begin(), text.end()));
    };
}

// Replaces the link to the repository's `sub` folder by links to each of its files but one.
void leaveOut(const fs::path& folder, const std::string& sub, const std::string& leaf) {
    fs::remove(folder / sub);
    fs::create_directory(folder / sub);
    for (const auto& entry : fs::directory_iterator(fs::path(QUORL_SOURCE_DIR) / sub)) {
        if (entry.path().filename() != leaf)
            fs::create_symlink(entry.path(), folder / sub / entry.path().filename());
    }
}

Prepare without(const std::string& systemImage) {
    return [systemImage](const fs::path& folder) { leaveOut(folder, "system", systemImage); };
}

// Slot 5 plays with patterns/<leaf>, which `make` puts in place.
Prepare pattern(const std::string& leaf, std::function<void(const fs::path&)> make) {
    return [leaf, make](const fs::path& folder) {
        leaveOut(folder, "patterns", leaf);
        make(folder / "patterns" / leaf);
        settingsWith([&](Settings& s) { std::strcpy(s.patternFile[5], leaf.c_str()); })(folder);
    };
}

Prepare patternFile(const std::string& leaf, std::vector<std::uint8_t> bytes) {
    return pattern(leaf, [bytes](const fs::path& path) { writeFile(path, bytes); });
}

const std::vector<std::uint8_t> kRgb = encodePng(3, 2, 2, 8, std::vector<std::uint8_t>(18, 200));
const std::vector<std::uint8_t> kGif = {'G', 'I', 'F', '8', '9', 'a', 1, 0,   1, 0, 0x80, 0,
                                        0,   255, 255, 255, 0,   0,   0, ',', 0, 0, 0,    0,
                                        1,   0,   1,   0,   0,   2,   2, 'D', 1, 0, ';'};

// kRgb claiming another size in its header.
std::vector<std::uint8_t> declaring(std::uint32_t width, std::uint32_t height) {
    std::vector<PngChunk> chunks = pngChunks(kRgb);
    for (int i = 0; i < 4; ++i) {
        chunks[0].data[i] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
        chunks[0].data[4 + i] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
    }
    return assemblePng(chunks);
}

// kRgb with a text chunk whose length claims 2 GiB before its image data.
std::vector<std::uint8_t> withBogusChunkLength() {
    std::vector<std::uint8_t> png = kRgb;
    const std::vector<std::uint8_t> chunk = {0x7F, 0xFF, 0xFF, 0xF0, 't', 'E', 'X', 't', 'a', 'b'};
    png.insert(png.begin() + 33, chunk.begin(), chunk.end());
    return png;
}

Outcome runIn(const fs::path& folder, Run run) {
    // SPACE starts a round every 100 frames; slots 0 and 5 steer and hold fire throughout.
    const std::string play =
        " --key 1+2:space --key 100+2:space --key 200+2:space --key 0:down:up --key 0:down:w "
        "--key 0+30:left --key 40+30:q --key 120+30:right --key 130+30:e";
    // The game keeps what it holds after a fatal error by design: no leak reports here.
    const std::string environment = "SDL_VIDEODRIVER=offscreen ASAN_OPTIONS=detect_leaks=0 ";
    if (run == Run::play)
        return runInFolder(folder, environment + "timeout -k 5 120 '" + QUORL_RUNNER +
                                       "' --frames 300" + play + " > summary.txt");
    // The game is closed once it has run a frame; a game that fails at start-up never does.
    QuitRequest request;
    request.frame = 1;
    std::string program = "'" + std::string(QUORL_BINARY) + "'";
    if (run == Run::playUntilClosed) {
        // Closed in round 3, once 250 frames have been played.
        request.frame = 250;
        program = "'" + std::string(QUORL_RUNNER) + "' --frames 10000000" + play + " > summary.txt";
    }
    return runUntilQuit(folder, environment, program, request);
}

// Runs every row at once, each in its own folder, and checks the exit code, the message and
// the error log.
void runAll(const std::vector<Row>& rows) {
    std::vector<fs::path> folders;
    std::vector<std::future<Outcome>> outcomes;
    for (const Row& row : rows) {
        const fs::path folder = folders.emplace_back(makeScratchFolder("quorl-bad-input"));
        linkImages(folder);
        writeFile(folder / "config", configBytes(standardSettings()));
        if (row.prepare) row.prepare(folder);
        outcomes.push_back(std::async(std::launch::async, runIn, folder, row.run));
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const Outcome outcome = outcomes[i].get();
        SCOPED_TRACE(row.what);
        EXPECT_EQ(outcome.exitCode, row.exitCode) << outcome.errors;
        EXPECT_EQ(outcome.errors.find("Sanitizer"), std::string::npos) << outcome.errors;
        if (row.message.empty()) {
            EXPECT_EQ(outcome.errors.find("An exception occured"), std::string::npos)
                << outcome.errors;
        } else {
            EXPECT_NE(outcome.errors.find("An exception occured:\n" + row.message + "\n"),
                      std::string::npos)
                << outcome.errors;
        }
        const fs::path log = folders[i] / "errorlog.txt";
        if (row.logged)
            EXPECT_EQ(readText(log), "ErrorLog:\n\n" + row.message + "\n\n");
        else
            EXPECT_FALSE(fs::exists(log)) << readText(log);
        fs::remove_all(folders[i]);
    }
}

}  // namespace

TEST(BadInput, SettingsFilesEitherPlayOrFailAtStartUp) {
    std::vector<std::uint8_t> longer = configBytes(standardSettings());
    longer.resize(kSettingsFileSize + 1000, 0xFF);
    const std::vector<std::uint8_t> shortFile(longer.begin(), longer.begin() + 30);
    const auto playerCount = [](int count, std::initializer_list<int> slots) {
        return settingsWith([=](Settings& s) {
            std::fill(std::begin(s.slotEnabled), std::end(s.slotEnabled), 0);
            for (int slot : slots) {
                s.slotEnabled[slot] = 1;
                std::strcpy(s.patternFile[slot], "blue.png");
            }
            s.playerCount = static_cast<std::uint8_t>(count);
        });
    };
    runAll({
        {"empty config", configFile({}), 254, shortConfigError(0), true},
        {"30-byte config", configFile(shortFile), 254, shortConfigError(30), true},
        {"config is a named pipe", namedPipe("config"), 254, kNotRegular, true},
        {"config is a link to /dev/zero",
         [](const fs::path& folder) {
             fs::remove(folder / "config");
             fs::create_symlink("/dev/zero", folder / "config");
         },
         254, kNotRegular, true},
        {"config with 1000 bytes too many", configFile(longer), 0, "", false},
        {"config is a folder",
         [](const fs::path& folder) {
             fs::remove(folder / "config");
             fs::create_directory(folder / "config");
         },
         254, kConfigError, true},
        {"player count 0", playerCount(0, {0, 5}), 0, "", false, Run::play},
        {"player count 7", playerCount(7, {0, 5}), 0, "", false, Run::play},
        {"player count 255", playerCount(255, {0, 5}), 0, "", false, Run::play},
        {"player count 1 of 3 enabled", playerCount(1, {0, 2, 5}), 0, "", false, Run::play},
        {"player count 6, no slot enabled", playerCount(6, {}), 0, "", false, Run::play},
        {"speed 0", settingsWith([](Settings& s) { s.speed = 0; }), 0, "", false, Run::play},
        {"names without terminator", settingsWith([](Settings& s) {
             for (auto& name : s.playerName) std::memset(name, 0xFF, kNameFieldSize);
         }),
         0, "", false, Run::play},
        {"pattern name without terminator",
         settingsWith([](Settings& s) { std::memset(s.patternFile[0], 'a', kPatternFieldSize); }),
         254, kNotFound + "patterns/" + std::string(kPatternFieldSize - 1, 'a'), true},
        // The keys file beside the config: one the game cannot use fails start-up like it.
        {"keys file binding slot 0", keysFile("[slot0]\nleft = Z\nright = X\n"), 0, "", false,
         Run::play},
        {"keys file with an unknown key and a key bound twice",
         keysFile("# mine\n[slot1]\nleft = Zed\nright = Q\n"), 254,
         kKeysError +
             "keys:3: slot1.left = \"Zed\": no key has this name (quorl-config keys "
             "--list lists them)\nkeys:4: slot1.right = Q: Q is bound to slot5.left "
             "already (its default); give slot5.left another key" +
             kKeysHint,
         true},
        {"keys file is a folder",
         [](const fs::path& folder) { fs::create_directory(folder / "keys"); }, 254,
         kKeysError + "keys: is a folder, not a file" + kKeysHint, true},
        {"keys file is a named pipe", namedPipe("keys"), 254,
         kKeysError + "keys: is not a regular file" + kKeysHint, true},
        // As some editors save it: a UTF-8 byte-order mark before the first section.
        {"keys file starting with a byte-order mark",
         keysFile("\xEF\xBB\xBF[slot0]\nleft = Z\nright = X\n"), 0, "", false, Run::play},
    });
}

TEST(BadInput, UnusablePatternImagesEndStartUpNamingThem) {
    const auto notFound = [](const std::string& leaf) { return kNotFound + "patterns/" + leaf; };
    const auto grey = encodePng(2, 2, 0, 8, {0, 80, 160, 240});
    const auto palette = encodePng(2, 1, 3, 8, {0, 1}, {255, 0, 0, 0, 0, 255});
    const auto deep = encodePng(1, 1, 6, 16, std::vector<std::uint8_t>(8, 0x80));
    runAll({
        {"pattern is a folder",
         pattern("dir.png", [](const fs::path& path) { fs::create_directory(path); }), 254,
         notFound("dir.png"), true},
        {"pattern is a named pipe",
         pattern("pipe.png",
                 [](const fs::path& path) { ASSERT_EQ(mkfifo(path.c_str(), 0644), 0); }),
         254, notFound("pipe.png"), true},
        // Root reads any file whatever its mode, so a dangling link stands for an unreadable one.
        {"pattern is a dangling link",
         pattern("gone.png", [](const fs::path& path) { fs::create_symlink("nowhere.png", path); }),
         254, notFound("gone.png"), true},
        {"empty pattern", patternFile("empty.png", {}), 254, notFound("empty.png"), true},
        {"truncated pattern", patternFile("cut.png", {kRgb.begin(), kRgb.begin() + 50}), 254,
         notFound("cut.png"), true},
        {"GIF named .png", patternFile("gif.png", kGif), 254, notFound("gif.png"), true},
        {"text named .png", patternFile("text.png", {'h', 'i', '\n'}), 254, notFound("text.png"),
         true},
        {"PNG named .gif", patternFile("png.gif", kRgb), 0, "", false},
        {"greyscale PNG", patternFile("grey.png", grey), 254, "Unknown IL_IMAGE_FORMAT", true},
        {"palette PNG", patternFile("pal.png", palette), 254, "Unknown IL_IMAGE_FORMAT", true},
        {"16-bit RGBA PNG", patternFile("deep.png", deep), 0, "", false},
        {"declares 100000 x 1", patternFile("wide.png", declaring(100000, 1)), 254,
         notFound("wide.png"), true},
        {"declares 65536 x 65536", patternFile("huge.png", declaring(65536, 65536)), 254,
         notFound("huge.png"), true},
        {"declares 8192 x 8192, past the 4096 side limit",
         patternFile("big.png", declaring(8192, 8192)), 254, notFound("big.png"), true},
        {"chunk length past the end", patternFile("bogus.png", withBogusChunkLength()), 254,
         notFound("bogus.png"), true},
    });
}

TEST(BadInput, MissingGameImagesEndTheRunNamingThem) {
    runAll({
        {"no font", without("bitmap.png"), 254, kNotFound + "system/bitmap.png", true},
        {"no logo", without("k4logo.png"), 254, kNotFound + "system/k4logo.png", true},
        // Met in play, these end the run with -3 and leave no log.
        {"no pickup image", without("r.png"), 253, kNotFound + "system/r.png", false, Run::play},
        {"no rocket image", without("rocket.png"), 253, kNotFound + "system/rocket.png", false,
         Run::play},
        {"no hole image", without("hole.png"), 253, kNotFound + "system/hole.png", false,
         Run::play},
    });
}

TEST(BadInput, ClosingTheWindowMidRoundEndsWithExitZero) {
    runAll({{"SIGTERM while playing", nullptr, 0, "", false, Run::playUntilClosed}});
}

using StandingLine = GlTest;

// Speed 0 is a valid setting: the line stands still, but gaps and rockets still need a
// direction, and velocity / speed would be 0 / 0.
TEST_F(StandingLine, GapsAndRocketsFollowItsHeading) {
    Settings s = matchSettings();
    s.speed = 0;
    startGame(s);
    Player& player = *world->players[0];
    placePlayer(player, 300.0, 300.0, 90.0);
    makeGap(player, 20.0);
    EXPECT_NEAR(player.trail[player.pointCount - 1].centerX, 300.0, 1e-9);
    EXPECT_NEAR(player.trail[player.pointCount - 1].centerY, 320.0, 1e-9);

    player.heldKind = 1;
    player.fire = 1;
    updatePlayer(player, 0, 16, 20, 16.0);
    const Rocket& rocket = *world->entityTables->rockets.at(0);
    EXPECT_NEAR(rocket.dirX, 0.0, 1e-9);
    EXPECT_NEAR(rocket.dirY, 1.0, 1e-9);
}
