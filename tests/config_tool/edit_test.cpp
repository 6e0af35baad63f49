// Tests of `set` and `import` on real files: what the game reads back, refused input and
// patterns, odd sizes and failed writes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <sstream>

#include "core/files.h"
#include "core/setting_fields.h"
#include "test_support.h"
#include "tools/quorl_config/commands.h"

namespace {

class SetCommand : public ::testing::Test {
protected:
    void SetUp() override {
        writeFile(config_, asString(defaultBytes()));
        std::filesystem::create_directory(folder_.path("patterns"));
        for (const char* name :
             {"red.png", "green.png", "blue.png", "yellow.png", "magenta.png", "cyan.png"}) {
            writeFile(folder_.path("patterns/") + name, "png");
        }
    }

    // Runs set; returns the error message, empty when it succeeded.
    std::string set(const Assignments& assignments, bool force = false) {
        std::ostringstream out;
        return configError([&] { setCommand(config_, assignments, force, out, err_); });
    }

    Settings stored() const {
        const std::string bytes = readFile(config_);
        EXPECT_EQ(bytes.size(), kSettingsFileSize);
        return decodeSettings(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }

    TempFolder folder_;
    std::string config_ = folder_.path("config");
    std::ostringstream err_;
};

TEST_F(SetCommand, GameDecodesWhatItWrites) {
    ASSERT_EQ(set({{"speed", "300"},
                   {"mode", "rounds"},
                   {"limit", "7"},
                   {"background", "20, 20,30"},
                   {"fullscreen", "TRUE"},
                   {"pickups", "off"},
                   {"slot3.enabled", "yes"},
                   {"slot3.name", "Ödön"},
                   {"slot3.pattern", "blue.png"},
                   {"hole-radius", "255"}}),
              "");
    const Settings s = stored();
    EXPECT_EQ(s.speed, 300);
    EXPECT_EQ(s.fixedRounds, 1);
    EXPECT_EQ(s.matchLimit, 7);
    EXPECT_EQ(s.clearColorRed + s.clearColorGreen + s.clearColorBlue, 70);
    EXPECT_EQ(s.fullscreen, 1);
    EXPECT_EQ(s.pickupsEnabled, 0);
    EXPECT_EQ(s.holeRadius, 255);
    // Shorter than the default "Yellow": the rest of the field is cleared.
    EXPECT_EQ(std::string(s.playerName[3], kNameFieldSize),
              std::string("\xD6\x64\xF6n\0\0\0\0\0\0\0", kNameFieldSize));
    EXPECT_STREQ(s.patternFile[3], "blue.png");
    EXPECT_EQ(s.playerCount, 3);
}

TEST_F(SetCommand, DisablingKeepsNameAndPatternAndRecountsPlayers) {
    ASSERT_EQ(set({{"slot0.enabled", "no"}}), "");
    const Settings s = stored();
    EXPECT_EQ(s.playerCount, 1);
    EXPECT_STREQ(s.playerName[0], "Red");
    EXPECT_STREQ(s.patternFile[0], "red.png");
}

TEST_F(SetCommand, RefusesEachClassOfBadInputAndLeavesTheFileAlone) {
    const std::string before = readFile(config_);
    const struct {
        Assignments assignments;
        const char* message;
    } cases[] = {
        {{{"speed", "65536"}},
         "speed = \"65536\": out of range (allowed: a whole number from 0 to 65535)"},
        {{{"limit", "-1"}}, "limit = \"-1\": not a whole number (allowed: a whole number"},
        {{{"sped", "100"}}, "unknown setting \"sped\""},
        {{{"slot6.name", "Bo"}}, "unknown setting \"slot6.name\""},
        {{{"fullscreen", "maybe"}}, "fullscreen = \"maybe\": neither yes nor no (allowed: yes, no"},
        {{{"mode", "time"}}, "mode = \"time\": no such match mode (allowed: rounds or score)"},
        {{{"background", "1,2,256"}}, "background = \"1,2,256\": not a colour"},
        {{{"slot1.name", "Árvíztűrő_tü"}},
         "slot1.name = \"Árvíztűrő_tü\": 12 characters long "
         "(allowed: at most 10 characters"},
        {{{"slot1.name", "Łukasz"}}, "cannot draw the character 'Ł' (U+0141)"},
        {{{"slot1.pattern", std::string(254, 'p')}}, "254 bytes long (allowed: a file name of 1"},
        {{{"slot1.pattern", "sub/x.png"}}, "contains the path separator '/'"},
        {{{"slot1.pattern", ""}}, "slot1.pattern = \"\": empty"},
        {{{"speed", "1"}, {"speed", "2"}}, "speed is given more than once"},
        // One bad value stops the good ones too.
        {{{"speed", "120"}, {"limit", "256"}}, "limit = \"256\": out of range"},
    };
    for (const auto& bad : cases) {
        const std::string error = set(bad.assignments);
        EXPECT_TRUE(contains(error, bad.message)) << bad.message << "\ngot: " << error;
        EXPECT_EQ(readFile(config_), before) << bad.message;
    }
}

TEST_F(SetCommand, RefusesAPatternTheGameWouldNotFindUnlessForced) {
    const std::string before = readFile(config_);
    const std::string folder = folder_.path("patterns");
    std::filesystem::create_directory(folder_.path("patterns/folder.png"));
    std::filesystem::create_symlink("gone.png", folder_.path("patterns/dangling.png"));
    for (const char* name : {"nope.png", "folder.png", "dangling.png", "RED.png"}) {
        EXPECT_EQ(set({{"speed", "120"}, {"slot1.pattern", name}}),
                  "slot1.pattern = \"" + std::string(name) + "\": no such file in " + folder +
                      ", where the game looks for patterns (add --force to set it anyway)");
        EXPECT_EQ(readFile(config_), before) << name;
    }
    // Every missing pattern is named, one a line; a present one passes.
    EXPECT_EQ(set({{"slot1.pattern", "a.png"},
                   {"slot2.pattern", "blue.png"},
                   {"slot4.pattern", "b.png"}}),
              "slot1.pattern = \"a.png\": no such file in " + folder +
                  ", where the game looks for patterns (add --force to set it anyway)\n"
                  "slot4.pattern = \"b.png\": no such file in " +
                  folder + ", where the game looks for patterns (add --force to set it anyway)");

    ASSERT_EQ(set({{"slot1.pattern", "nope.png"}}, true), "");
    EXPECT_STREQ(stored().patternFile[1], "nope.png");
    // A slot whose stored pattern is missing takes other settings without --force.
    ASSERT_EQ(set({{"slot1.name", "Bo"}, {"slot1.enabled", "yes"}}), "");
    std::filesystem::create_symlink(folder_.path("patterns/red.png"),
                                    folder_.path("patterns/own.png"));
    ASSERT_EQ(set({{"slot1.pattern", "own.png"}}), "");
}

TEST_F(SetCommand, ImportRefusesAPatternTheGameWouldNotFindUnlessForced) {
    const std::string text = folder_.path("match.ini");
    writeFile(text, "[slot0]\npattern = \"nope.png\"\n[slot2]\npattern = \"gone.png\"\n");
    const std::string copy = folder_.path("copy");
    std::ostringstream out;
    const std::string folder = folder_.path("patterns");
    EXPECT_EQ(configError([&] { importCommand(text, copy, false, out); }),
              "slot0.pattern = \"nope.png\": no such file in " + folder +
                  ", where the game looks for patterns (add --force to import it anyway)\n"
                  "slot2.pattern = \"gone.png\": no such file in " +
                  folder + ", where the game looks for patterns (add --force to import it anyway)");
    EXPECT_FALSE(std::filesystem::exists(copy));
    importCommand(text, copy, true, out);
    EXPECT_TRUE(contains(readFile(copy), "nope.png"));
}

TEST_F(SetCommand, FileOfAnotherSizeIsWrittenInFullWithAWarning) {
    writeFile(config_, asString(defaultBytes()) + "tail");
    ASSERT_EQ(set({{"speed", "50"}}), "");
    EXPECT_EQ(readFile(config_).size(), kSettingsFileSize);
    EXPECT_TRUE(
        contains(err_.str(), "warning: " + config_ + " is 1622 bytes; the game ignores the 4"))
        << err_.str();

    writeFile(config_, asString(defaultBytes()).substr(0, 20));
    ASSERT_EQ(set({{"speed", "50"}}), "");
    const Settings s = stored();  // missing bytes read as zeros
    EXPECT_EQ(s.speed, 50);
    EXPECT_EQ(s.playerName[0][0], '\0');
    EXPECT_EQ(s.playerCount, 0);
    EXPECT_TRUE(contains(err_.str(), "20 bytes instead of 1618")) << err_.str();
}

TEST_F(SetCommand, KeepsUnrelatedOddBytes) {
    std::string bytes = asString(defaultBytes());
    bytes[17] = 'r';           // a reserved byte
    bytes[28 + 11 + 8] = 'j';  // past the end of slot 1's name
    writeFile(config_, bytes);
    ASSERT_EQ(set({{"speed", "50"}}), "");
    const std::string after = readFile(config_);
    EXPECT_EQ(after[17], 'r');
    EXPECT_EQ(after[28 + 11 + 8], 'j');
}

TEST(AtomicWrite, FailsCleanlyWhereNoFileCanBeCreated) {
    TempFolder folder;
    writeFile(folder.path("file"), "not a folder");
    const std::string error =
        configError([&] { writeFileAtomically(folder.path("file/config"), "data"); });
    EXPECT_TRUE(contains(error, "creating a temporary file in")) << error;
    EXPECT_TRUE(contains(error, "Not a directory")) << error;
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"file"});
}

TEST(AtomicWrite, ReplacingAFileKeepsItsPermissions) {
    TempFolder folder;
    const std::string config = folder.path("config");
    writeFile(config, "old");
    std::filesystem::permissions(config, std::filesystem::perms(0640));
    writeFileAtomically(config, "new");
    EXPECT_EQ(readFile(config), "new");
    EXPECT_EQ(std::filesystem::status(config).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"config"});
}

TEST(AtomicWrite, FailedRenameLeavesNoTemporaryFileAndNewFilesFollowTheUmask) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path("taken"));
    const std::string error = configError([&] { writeFileAtomically(folder.path("taken"), "x"); });
    EXPECT_TRUE(contains(error, "renaming ")) << error;
    EXPECT_TRUE(contains(error, "taken was left as it was")) << error;
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"taken"});

    const mode_t mask = ::umask(027);
    writeFileAtomically(folder.path("new"), "data");
    ::umask(mask);
    EXPECT_EQ(readFile(folder.path("new")), "data");
    EXPECT_EQ(std::filesystem::status(folder.path("new")).permissions(),
              std::filesystem::perms(0640));
}

// A command's files change together: when the second cannot take its place, the first gets its
// old content back, or goes again when it is new.
TEST(AtomicWrite, ASecondFileThatCannotBeWrittenLeavesTheFirstAsItWas) {
    for (const bool firstExists : {true, false}) {
        SCOPED_TRACE(firstExists ? "config existed" : "config was new");
        TempFolder folder;
        const std::string config = folder.path("config");
        if (firstExists) writeFile(config, "old");
        std::filesystem::create_directories(folder.path("keys/in-the-way"));
        const std::string error = configError([&] {
            writeFilesAtomically({{config, "new"}, {folder.path("keys"), "keys"}});
        });
        EXPECT_TRUE(contains(error, "cannot write " + folder.path("keys") + ": renaming "))
            << error;
        EXPECT_TRUE(
            contains(error, config + " and " + folder.path("keys") + " were left as they were"))
            << error;
        EXPECT_EQ(firstExists ? readFile(config) : "", firstExists ? "old" : "");
        const std::vector<std::string> left = firstExists
                                                  ? std::vector<std::string>{"config", "keys"}
                                                  : std::vector<std::string>{"keys"};
        EXPECT_EQ(folderEntries(folder.path()), left);
    }
}

// An interrupted write leaves its temporary file; the next write removes it once it is a minute
// old, and nothing else.
TEST(AtomicWrite, TheNextWriteRemovesOnlyOurStaleTemporaryFiles) {
    TempFolder folder;
    const auto twoMinutesAgo =
        std::filesystem::file_time_type::clock::now() - std::chrono::minutes(2);
    for (const char* name :
         {".quorl-config-Ab12Yz", ".quorl-config-Fresh1", ".quorl-config-Ab12Yz7",
          ".quorl-config-Ab-2Yz", "quorl-config-Ab12Yz"}) {
        writeFile(folder.path(name), "debris");
        if (std::string(name) != ".quorl-config-Fresh1")
            std::filesystem::last_write_time(folder.path(name), twoMinutesAgo);
    }
    writeFileAtomically(folder.path("config"), "data");
    EXPECT_EQ(folderEntries(folder.path()),
              (std::vector<std::string>{".quorl-config-Ab-2Yz", ".quorl-config-Ab12Yz7",
                                        ".quorl-config-Fresh1", "config", "quorl-config-Ab12Yz"}));
}

}  // namespace
