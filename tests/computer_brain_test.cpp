// A computer player's choices in situations drawn on a collision map of its own.
#include "game/computer/brain.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include <string>
#include <vector>

#include "tests/support.h"

namespace {

constexpr int kSize = 768;

struct Wall {
    int x0, y0, x1, y1;  // a filled rectangle of marked pixels
};

struct Situation {
    const char* name;
    std::vector<Wall> walls;
    HeadView head;
    bool holdsRocket;
    std::vector<HeadView> others;
    const char* expected;  // "left", "right", "turn" (either), "straight"; "+fire" when it fires
};

std::string choiceText(const KeyChoice& keys) {
    std::string text = keys.left ? "left" : keys.right ? "right" : "straight";
    return keys.fire ? text + "+fire" : text;
}

}  // namespace

// Heading 0 runs along +x, and the line's left is +y. The walls are 5 pixels thick, as a line is.
TEST(ComputerBrain, ChoosesTheKeysThatKeepItAliveAndFiresWhereItPays) {
    const Situation situations[] = {
        {"a wall across its way turns it", {{340, 0, 345, kSize}}, {300, 384, 0, true}, false, {},
         "turn"},
        {"a wall ahead and one close on its left turn it right",
         {{340, 0, 345, kSize}, {0, 400, 345, 405}}, {300, 384, 0, true}, false, {}, "right"},
        {"a wall ahead and one close on its right turn it left",
         {{340, 0, 345, kSize}, {0, 363, 345, 368}}, {300, 384, 0, true}, false, {}, "left"},
        {"the arena's edge ahead turns it", {}, {700, 384, 0, true}, false, {}, "turn"},
        {"a gap in a wall ahead lets it through to the larger side",
         {{340, 0, 345, 374}, {340, 394, 345, kSize}}, {300, 384, 0, true}, false, {},
         "straight"},
        {"a rival's head about to cross its way turns it", {}, {300, 384, 0, true}, false,
         {{340, 330, 90, true}}, "turn"},
        {"a head ahead on its path is worth a rocket", {}, {200, 384, 0, true}, true,
         {{350, 386, 90, true}}, "straight+fire"},
        {"no rocket held, nothing fired", {}, {200, 384, 0, true}, false,
         {{350, 386, 90, true}}, "straight"},
        {"a head beside its path gets no rocket", {}, {200, 384, 0, true}, true,
         {{350, 500, 90, true}}, "straight"},
        {"boxed in with a rocket, it blasts its way out",
         {{330, 300, 335, 470}, {250, 300, 335, 305}, {250, 465, 335, 470}}, {300, 384, 0, true},
         true, {}, "+fire"},
    };
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kSize) * kSize);
    for (const Situation& situation : situations) {
        std::fill(pixels.begin(), pixels.end(), 0);
        for (const Wall& wall : situation.walls) {
            for (int y = wall.y0; y < wall.y1; ++y)
                for (int x = wall.x0; x < wall.x1; ++x) pixels[y * kSize + x] = 1;
        }
        SelfView self;
        self.head = situation.head;
        self.speed = 100;
        self.turnRate = 180;
        self.lineWidth = 5;
        self.holdsRocket = situation.holdsRocket;
        Brain brain(ComputerLevel::hard, 1);
        const std::string choice = choiceText(
            brain.think(CollisionMap{pixels.data(), kSize}, self, situation.others, 16.0));
        const std::string expected = situation.expected;
        SCOPED_TRACE(situation.name);
        if (expected == "turn") {
            EXPECT_TRUE(choice == "left" || choice == "right") << choice;
        } else if (expected == "+fire") {
            EXPECT_NE(choice.find("+fire"), std::string::npos) << choice;
        } else {
            EXPECT_EQ(choice, expected);
        }
    }
}

// Four computer players, gaps and pickups: the same seed and frame time give the same match,
// frame for frame, however often it is played.
TEST(ComputerPlayers, AMatchWithComputerPlayersPlaysTheSameEveryTime) {
    const std::filesystem::path folder = makeScratchFolder("quorl-computer-match");
    linkImages(folder);
    Settings s = matchSettings();
    s.slotEnabled[1] = s.slotEnabled[2] = 1;
    s.playerCount = 4;
    std::strcpy(s.playerName[1], "Green");
    std::strcpy(s.playerName[2], "Blue");
    std::strcpy(s.patternFile[1], "green.png");
    std::strcpy(s.patternFile[2], "blue.png");
    s.gapInterval = 2;
    s.pickupsEnabled = 1;
    writeConfig(s, folder);
    std::ofstream(folder / "keys") << "[slot0]\ncomputer = hard\n[slot1]\ncomputer = normal\n"
                                      "[slot2]\ncomputer = easy\n[slot5]\ncomputer = hard\n";
    std::string summaries[2];
    std::string frames[2];
    for (int run = 0; run < 2; ++run) {
        const std::string png = "last" + std::to_string(run) + ".png";
        const Outcome outcome = runInFolder(
            folder, "'" + std::string(QUORL_RUNNER) +
                        "' --frames 1500 --key 1+2:space --png " + png +
                        " > summary.txt");
        ASSERT_EQ(outcome.exitCode, 0) << outcome.errors;
        summaries[run] = readText(folder / "summary.txt");
        frames[run] = readText(folder / png);
    }
    EXPECT_EQ(summaries[0], summaries[1]);
    EXPECT_TRUE(frames[0] == frames[1]) << "the last frames differ";
    // The computer players steer: a line left to run straight meets a wall within 500 frames,
    // yet one is still going at frame 1500, in the first round.
    EXPECT_NE(summaries[0].find("round 1\n"), std::string::npos) << summaries[0];
    std::size_t alive = 0;
    for (std::size_t at = summaries[0].find("alive 1"); at != std::string::npos;
         at = summaries[0].find("alive 1", at + 1))
        ++alive;
    EXPECT_GE(alive, 1u) << summaries[0];
    std::filesystem::remove_all(folder);
}
