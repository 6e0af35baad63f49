// Tests that run the built quorl-config in a temporary folder and look at its output, exit
// status and files.
#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.h"

namespace {

class Executable : public ::testing::Test {
protected:
    ToolRun run(const std::vector<std::string>& args, long fileSizeLimit = 0) {
        return runTool(folder_.path(), args, fileSizeLimit);
    }

    void addPatterns(std::initializer_list<const char*> names) {
        std::filesystem::create_directory(folder_.path("patterns"));
        for (const char* name : names) writeFile(folder_.path("patterns/") + name, "png");
    }

    TempFolder folder_;
    std::string config_ = folder_.path("config");
};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(Executable, NewSetShowCheck) {
    ToolRun result = run({"new"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "wrote the default settings to config\n");
    EXPECT_EQ(readFile(config_), asString(defaultBytes()));

    result = run({"new"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "quorl-config: error: config already exists; add --force to replace it\n");
    EXPECT_EQ(run({"new", "--force"}).status, 0);

    result = run({"set", "speed=120", "mode=rounds", "limit=10", "slot3.enabled=yes",
                  "slot3.name=Ödön", "slot3.pattern=blue.png"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "updated config: speed, mode, limit, slot3.enabled, slot3.name, slot3.pattern\n");

    result = run({"show", "config"});
    EXPECT_EQ(result.status, 0);
    for (const char* line : {"Match mode         rounds: a match lasts as many rounds as the limit",
                             "Match limit        10 rounds\n", "Speed              120 px/s\n",
                             "Player count       3 (3 slots enabled)\n",
                             "Slot 3             enabled\n  Name             Ödön\n"
                             "  Pattern          blue.png\n"
                             "  Keys             left I, right P, fire O\n"}) {
        EXPECT_TRUE(contains(result.out, line)) << line << "\nin:\n" << result.out;
    }

    result = run({"check"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.out, "config: slot3 pattern file patterns/blue.png is missing"));
    EXPECT_TRUE(contains(result.out, "config: 3 problems\n")) << result.out;

    addPatterns({"red.png", "blue.png", "cyan.png"});
    result = run({"check"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "config: ok\n");
}

TEST_F(Executable, CheckReportsEveryBrokenInvariant) {
    std::string bytes = asString(defaultBytes());
    bytes[27] = 7;                                            // player count
    bytes.replace(28 + 11, 11, "ABCDEFGHIJK");                // slot 1 name without a terminator
    bytes.replace(28 + 22, 4, "B;b\x01");                     // slot 2 name the font can't draw
    bytes.replace(94 + 3 * 254, 254, std::string(254, 'p'));  // slot 3 pattern unterminated
    writeFile(config_, bytes);
    addPatterns({"red.png"});

    const ToolRun result = run({"check", "config"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out,
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

TEST_F(Executable, BadValueChangesNothing) {
    run({"new"});
    const ToolRun result = run({"set", "config", "speed=120", "slot2.name=Łukasz"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.err,
                         "quorl-config: error: slot2.name = \"Łukasz\": the game's "
                         "font cannot draw the character 'Ł' (U+0141)"))
        << result.err;
    EXPECT_EQ(readFile(config_), asString(defaultBytes()));
}

TEST_F(Executable, MissingFileIsAClearError) {
    for (const char* command : {"show", "check", "export"}) {
        const ToolRun result = run({command});
        EXPECT_EQ(result.status, 1) << command;
        EXPECT_EQ(result.err,
                  "quorl-config: error: config does not exist (quorl-config new config makes one "
                  "with the default settings)\n");
    }
    EXPECT_EQ(run({"set", "speed=1"}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(config_));
}

TEST_F(Executable, UsageErrorsExitWithTwo) {
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"frobnicate"}).status, 2);
    EXPECT_EQ(run({"show", "--colour"}).status, 2);
    EXPECT_EQ(run({"set", "config"}).status, 2);
    EXPECT_TRUE(contains(run({"set", "config", "speed=1", "limit"}).err, "expected NAME=VALUE"));
    const ToolRun help = run({"set", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(contains(help.out, "slotN.pattern")) << help.out;
}

TEST_F(Executable, ImportingTheDefaultTextEqualsNew) {
    run({"new", "from-new"});
    const ToolRun result = run({"import", QUORL_DEFAULT_CONFIG_INI, "from-text"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readFile(folder_.path("from-text")), readFile(folder_.path("from-new")));
}

TEST_F(Executable, ExportImportThroughFilesKeepsEveryByte) {
    const std::string bytes = asString(randomBytes(7));
    writeFile(config_, bytes);
    EXPECT_EQ(run({"export", "-o", "settings.ini"}).status, 0);
    EXPECT_EQ(run({"import", "settings.ini", "copy"}).status, 0);
    EXPECT_EQ(readFile(folder_.path("copy")), bytes);

    run({"set", "copy", "speed=5"});
    ToolRun result = run({"import", "settings.ini", "copy"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.err, "copy already exists with other settings")) << result.err;
    EXPECT_EQ(run({"import", "--force", "settings.ini", "copy"}).status, 0);
    EXPECT_EQ(readFile(folder_.path("copy")), bytes);
}

// Root ignores permissions, so a read-only folder would not stop the tests' root user; a file
// size limit does: the temporary file cannot be written in full, as on a full disk.
TEST_F(Executable, FailedWriteLeavesTheOriginalAndNoTemporaryFile) {
    run({"new"});
    const ToolRun result = run({"set", "speed=9"}, 1000);
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.err, "quorl-config: error: cannot write config: writing "))
        << result.err;
    EXPECT_TRUE(contains(result.err, "File too large); config was left as it was")) << result.err;
    EXPECT_EQ(readFile(config_), asString(defaultBytes()));
    EXPECT_EQ(folderEntries(folder_.path()), std::vector<std::string>{"config"});
}

}  // namespace
