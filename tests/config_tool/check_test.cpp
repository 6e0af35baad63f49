// Tests of `check`: the settings the game accepts but that spoil a match are warned about, each
// with what the game will do, and make the exit status 1.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "core/setting_fields.h"
#include "test_support.h"
#include "tools/quorl_config/commands.h"

namespace {

class CheckCommand : public ::testing::Test {
protected:
    void SetUp() override { writeDefaultPatterns(folder_); }

    // Checks the default settings changed by `assignments`; returns the output with the paths
    // relative to the test's folder.
    std::string check(const Assignments& assignments, int status) {
        Settings s = defaultSettings();
        applyAssignments(s, assignments);
        SettingsBytes bytes{};
        encodeSettings(s, bytes.data());
        writeFile(config_, asString(bytes));
        std::ostringstream out, err;
        EXPECT_EQ(checkCommand(config_, out, err), status) << out.str();
        std::string text = out.str();
        const std::string folder = folder_.path() + "/";
        for (std::size_t at; (at = text.find(folder)) != std::string::npos;) {
            text.erase(at, folder.size());
        }
        return text;
    }

    TempFolder folder_;
    std::string config_ = folder_.path("config");
};

constexpr const char* kRoundOverAtOnce =
    ": a round runs only while two lines are alive, so every round is over as soon as it "
    "starts, no line moves and nobody scores\n";

TEST_F(CheckCommand, DefaultSettingsAreOk) {
    EXPECT_EQ(check({}, 0), "config: ok\n");
}

TEST_F(CheckCommand, WarnsAboutWhatSpoilsAMatchSayingWhatTheGameWillDo) {
    const struct {
        Assignments assignments;
        std::string output;
    } cases[] = {
        {{{"slot5.enabled", "no"}},
         std::string("config: warning: only 1 player takes part (slot0)") + kRoundOverAtOnce +
             "config: 1 warning\n"},
        {{{"slot0.enabled", "no"}, {"slot5.enabled", "no"}},
         std::string("config: warning: no player takes part") + kRoundOverAtOnce +
             "config: 1 warning\n"},
        {{{"speed", "0"}},
         "config: warning: speed is 0: the lines do not move forward (they turn on the spot and "
         "only jump ahead at their gaps), so a round may never end\n"
         "config: 1 warning\n"},
        {{{"limit", "0"}, {"mode", "rounds"}},
         "config: warning: limit is 0: the match is over after its first round, which ends on "
         "\"Press <SPACE> to exit\"\n"
         "config: 1 warning\n"},
        {{{"slot5.name", ""}},
         "config: warning: slot5 has an empty name: the score board shows \" has\" and the score "
         "with no name\n"
         "config: 1 warning\n"},
        {{{"slot5.name", "Red"}, {"slot2.enabled", "yes"}, {"slot2.name", "Red"}},
         "config: warning: slot0, slot2 and slot5 have the same name \"Red\": the score board "
         "cannot tell these players apart\n"
         "config: 1 warning\n"},
        // Disabled slots are not players: their names do not matter.
        {{{"slot1.name", ""}, {"slot2.name", "Red"}}, "config: ok\n"},
        // Everything at once, after the problems.
        {{{"slot5.enabled", "no"},
          {"slot0.name", "Ödön"},
          {"speed", "0"},
          {"limit", "0"},
          {"slot0.pattern", "gone.png"}},
         std::string("config: slot0 pattern file patterns/gone.png is missing (looked for "
                     "patterns/gone.png)\n") +
             "config: warning: only 1 player takes part (slot0)" + kRoundOverAtOnce +
             "config: warning: speed is 0: the lines do not move forward (they turn on the spot "
             "and only jump ahead at their gaps), so a round may never end\n"
             "config: warning: limit is 0: the match is over after its first round, which ends "
             "on \"Press <SPACE> to exit\"\n"
             "config: 1 problem, 3 warnings\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(check(c.assignments, c.output == "config: ok\n" ? 0 : 1), c.output)
            << testing::PrintToString(c.assignments);
    }
}

TEST_F(CheckCommand, PlayersBeyondThePlayerCountDoNotTakePart) {
    std::string bytes = asString(defaultBytes());
    bytes[27] = 1;  // player count: slot 5 is enabled but takes no part
    bytes.replace(28 + 5 * 11, 4, "Red\0", 4);
    writeFile(config_, bytes);
    std::ostringstream out, err;
    EXPECT_EQ(checkCommand(config_, out, err), 1);
    EXPECT_EQ(out.str(), config_ + ": player count is 1 but 2 slots are enabled\n" + config_ +
                             ": warning: only 1 player takes part (slot0)" + kRoundOverAtOnce +
                             config_ + ": 1 problem, 1 warning\n");
}

}  // namespace
