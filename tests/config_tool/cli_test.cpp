// Tests that run the built quorl-config in a temporary folder and look at its output, exit
// status and files.
#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.h"

namespace {

class Executable : public ::testing::Test {
protected:
    // Runs quorl-config in the folder and expects it to exit with `status`.
    ToolRun run(const std::vector<std::string>& args, int status, long fileSizeLimit = 0) {
        ToolRun result = runTool(folder_.path(), args, fileSizeLimit);
        EXPECT_EQ(result.status, status) << testing::PrintToString(args) << "\n" << result.err;
        return result;
    }

    void addPatterns(std::initializer_list<const char*> names) {
        std::filesystem::create_directory(folder_.path("patterns"));
        for (const char* name : names) writeFile(folder_.path("patterns/") + name, "png");
    }

    TempFolder folder_;
    std::string config_ = folder_.path("config");
};

TEST_F(Executable, NewSetShowCheck) {
    EXPECT_EQ(run({"new"}, 0).out,
              "wrote the default settings to config\n"
              "no keys file beside it: every slot has its default keys\n");
    EXPECT_EQ(readFile(config_), asString(defaultBytes()));
    EXPECT_EQ(run({"new"}, 1).err,
              "quorl-config: error: config already exists; add --force to replace it\n");
    run({"new", "--force"}, 0);

    const std::vector<std::string> settings{"set",
                                            "speed=120",
                                            "mode=rounds",
                                            "limit=10",
                                            "slot3.enabled=yes",
                                            "slot3.name=Ödön",
                                            "slot3.pattern=blue.png"};
    EXPECT_EQ(run(settings, 1).err,
              "quorl-config: error: slot3.pattern = \"blue.png\": no such file in ./patterns, "
              "where the game looks for patterns (add --force to set it anyway)\n");
    const std::string problems = run({"check"}, 1).out;
    EXPECT_TRUE(contains(problems, "config: slot0 pattern file patterns/red.png is missing"));
    EXPECT_TRUE(contains(problems, "config: 2 problems\n")) << problems;

    addPatterns({"red.png", "blue.png", "cyan.png"});
    EXPECT_EQ(run(settings, 0).out,
              "updated config: speed, mode, limit, slot3.enabled, slot3.name, slot3.pattern\n");
    const std::string shown = run({"show", "config"}, 0).out;
    for (const char* line : {"Match mode         rounds: a match lasts as many rounds as the limit",
                             "Match limit        10 rounds\n", "Speed              120 px/s\n",
                             "Player count       3 (3 slots enabled)\n",
                             "Slot 3             enabled\n  Name             Ödön\n"
                             "  Pattern          blue.png\n"
                             "  Keys             left I, right P, fire O\n"}) {
        EXPECT_TRUE(contains(shown, line)) << line << "\nin:\n" << shown;
    }
    EXPECT_EQ(run({"check"}, 0).out, "config: ok\n");
}

TEST_F(Executable, ForcedPatternsAndSingularCountsAndWarnings) {
    run({"new"}, 0);
    addPatterns({"red.png", "cyan.png"});
    run({"set", "--force", "slot0.pattern=mine.png", "slot5.enabled=no"}, 0);
    EXPECT_TRUE(contains(run({"show"}, 0).out, "Player count       1 (1 slot enabled)\n"));
    EXPECT_EQ(run({"check"}, 1).out,
              "config: slot0 pattern file patterns/mine.png is missing (looked for "
              "./patterns/mine.png)\n"
              "config: warning: only 1 player takes part (slot0): a round runs only while two "
              "lines are alive, so every round is over as soon as it starts, no line moves and "
              "nobody scores\n"
              "config: 1 problem, 1 warning\n");

    run({"export", "-o", "match.ini"}, 0);
    EXPECT_TRUE(contains(run({"import", "match.ini", "copy"}, 1).err,
                         "quorl-config: error: slot0.pattern = \"mine.png\": no such file in "
                         "./patterns, where the game looks for patterns (add --force to import "
                         "it anyway)\n"));
    run({"import", "-f", "match.ini", "copy"}, 0);
    EXPECT_EQ(readFile(folder_.path("copy")), readFile(config_));
}

TEST_F(Executable, CheckReportsEveryBrokenInvariant) {
    std::string bytes = asString(defaultBytes());
    bytes[27] = 7;                                            // player count
    bytes.replace(28 + 11, 11, "ABCDEFGHIJK");                // slot 1 name without a terminator
    bytes.replace(28 + 22, 4, "B;b\x01");                     // slot 2 name the font can't draw
    bytes.replace(94 + 3 * 254, 254, std::string(254, 'p'));  // slot 3 pattern unterminated
    writeFile(config_, bytes);
    addPatterns({"red.png"});

    EXPECT_EQ(run({"check", "config"}, 1).out,
              "config: player count 7 is more than the 6 slots\n"
              "config: player count is 7 but 2 slots are enabled\n"
              "config: slot1 name has no terminator within its 11 bytes\n"
              "config: slot2 name \"B\\x3Bb\\x01\" has characters the game's font cannot draw: "
              "\\x01 \\x3B\n"
              "config: slot3 pattern has no terminator within its 254 bytes\n"
              "config: slot5 pattern file patterns/cyan.png is missing (looked for "
              "./patterns/cyan.png)\n"
              "config: 6 problems\n");
}

TEST_F(Executable, KeysAreSetShownCheckedCarriedAndKeptByNew) {
    run({"new"}, 0);
    addPatterns({"red.png", "cyan.png"});
    const std::string keys = folder_.path("keys");
    // A refused key changes nothing, and names the slot that holds it.
    EXPECT_EQ(run({"set", "slot1.left=Q", "slot1.right=space", "slot1.fire=Foo"}, 1).err,
              "quorl-config: error: slot1.right = Space: Space is the game's own key (it keeps "
              "Space, Escape, Alt and F10 for itself)\n"
              "quorl-config: error: slot1.fire = \"Foo\": no key has this name (quorl-config keys "
              "--list lists them)\n"
              "quorl-config: error: slot1.left = Q: Q is bound to slot5.left already (give "
              "slot5.left another key in the same command)\n");
    EXPECT_FALSE(std::filesystem::exists(keys));

    EXPECT_EQ(run({"set", "slot1.left=z", "speed=120", "SLOT1.right=c", "slot1.fire=X"}, 0).out,
              "updated config: speed\nupdated keys: slot1.left, slot1.right, slot1.fire\n");
    run({"set", "slot1.left=C", "slot1.right=Z"}, 0);  // a swap in one command
    const std::string shown = run({"show"}, 0).out;
    EXPECT_TRUE(contains(shown, "Keys file          keys\n")) << shown;
    EXPECT_TRUE(contains(shown,
                         "Slot 1             disabled\n  Name             Green\n"
                         "  Pattern          green.png\n"
                         "  Keys             left C, right Z, fire X\n"))
        << shown;
    EXPECT_EQ(run({"check"}, 0).out, "config: ok\n");

    // Export and import carry the keys to another run folder; new keeps them in force.
    run({"export", "-o", "match.ini"}, 0);
    std::filesystem::create_directory(folder_.path("other"));
    EXPECT_EQ(run({"import", "--force", "match.ini", "other/config"}, 0).out,
              "imported match.ini into other/config, its keys into other/keys\n");
    EXPECT_EQ(readFile(folder_.path("other/keys")), readFile(keys));
    EXPECT_EQ(run({"new", "--force", "other/config"}, 0).out,
              "wrote the default settings to other/config\nthe keys file other/keys stays in "
              "force: the players keep its keys (remove it for the default keys)\n");

    // check lists what the game would refuse in the file, by line.
    writeFile(keys, "[slot1]\nleft = Keypad\n[slot4]\nfire = W\n");
    EXPECT_EQ(run({"check"}, 1).out,
              "keys:2: slot1.left = \"Keypad\": no key has this name (quorl-config keys --list "
              "lists them)\n"
              "keys:4: slot4.fire = W: W is bound to slot5.fire already (its default); give "
              "slot5.fire another key\n"
              "config: 2 problems\n");
    EXPECT_TRUE(contains(run({"keys", "--list"}, 0).out, "\nLeft arrow\n"));
}

TEST_F(Executable, MissingFileIsAClearError) {
    for (const char* command : {"show", "check", "export"}) {
        EXPECT_EQ(run({command}, 1).err,
                  "quorl-config: error: config does not exist (quorl-config new config makes one "
                  "with the default settings)\n");
    }
    run({"set", "speed=1"}, 1);
    EXPECT_FALSE(std::filesystem::exists(config_));
}

TEST_F(Executable, UsageErrorsExitWithTwo) {
    using Args = std::initializer_list<std::vector<std::string>>;
    for (const auto& args : Args{{}, {"frobnicate"}, {"show", "--colour"}, {"set", "config"}})
        run(args, 2);
    EXPECT_TRUE(contains(run({"set", "config", "speed=1", "limit"}, 2).err, "expected NAME=VALUE"));
    const std::string help = run({"set", "--help"}, 0).out;
    EXPECT_TRUE(contains(help, "slotN.pattern")) << help;
}

TEST_F(Executable, ImportingTheDefaultTextEqualsNewAndKeepsOtherSettingsUnlessForced) {
    addPatterns({"red.png", "green.png", "blue.png", "yellow.png", "magenta.png", "cyan.png"});
    run({"new", "from-new"}, 0);
    run({"import", QUORL_DEFAULT_CONFIG_INI, "from-text"}, 0);
    EXPECT_EQ(readFile(folder_.path("from-text")), readFile(folder_.path("from-new")));

    EXPECT_EQ(run({"import", QUORL_DEFAULT_CONFIG_INI, "from-text"}, 0).out,
              "from-text already holds these settings\n");
    run({"set", "from-text", "speed=5"}, 0);
    const std::string refused = run({"import", QUORL_DEFAULT_CONFIG_INI, "from-text"}, 1).err;
    EXPECT_TRUE(contains(refused, "from-text already exists with other settings")) << refused;
    run({"import", "--force", QUORL_DEFAULT_CONFIG_INI, "from-text"}, 0);
    EXPECT_EQ(readFile(folder_.path("from-text")), readFile(folder_.path("from-new")));
}

TEST_F(Executable, ExportImportThroughFilesKeepsEveryByte) {
    const std::string bytes = asString(randomBytes(7));
    writeFile(config_, bytes);
    run({"export", "-o", "settings.ini"}, 0);
    run({"import", "--force", "settings.ini", "copy"}, 0);  // random bytes name no real pattern
    EXPECT_EQ(readFile(folder_.path("copy")), bytes);
}

TEST_F(Executable, RefusedOrFailedSetLeavesTheOriginalAndNoTemporaryFile) {
    run({"new"}, 0);
    const std::string refused = run({"set", "config", "speed=120", "slot2.name=Łukasz"}, 1).err;
    EXPECT_TRUE(contains(refused,
                         "quorl-config: error: slot2.name = \"Łukasz\": the game's "
                         "font cannot draw the character 'Ł' (U+0141)"))
        << refused;

    // Root ignores permissions but not a file size limit: the temporary file cannot be written
    // in full, as on a full disk.
    const std::string failed = run({"set", "speed=9"}, 1, 1000).err;
    EXPECT_TRUE(contains(failed, "quorl-config: error: cannot write config: writing ")) << failed;
    EXPECT_TRUE(contains(failed, "File too large); config was left as it was")) << failed;
    EXPECT_EQ(readFile(config_), asString(defaultBytes()));
    EXPECT_EQ(folderEntries(folder_.path()), std::vector<std::string>{"config"});
}

}  // namespace
