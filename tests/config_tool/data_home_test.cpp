// Tests of the file quorl-config uses when none is named: config in the current folder, else the
// player's own one in the launcher's run folder under $XDG_DATA_HOME or ~/.local/share, which an
// installed quorl-config also makes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "test_support.h"

namespace {

// A data home that cannot exist (/dev/null is a file), so that the tester's own
// ~/.local/share/quorl/config never stands in for a missing ./config in any test of this program.
constexpr const char* kNoDataHome = "/dev/null/no-data-home";

class NoPlayerConfig : public ::testing::Environment {
public:
    void SetUp() override { ::setenv("XDG_DATA_HOME", kNoDataHome, 1); }
};
::testing::Environment* const noPlayerConfig =
    ::testing::AddGlobalTestEnvironment(new NoPlayerConfig);

// A current folder without config, and the player's config in `dataHome_/quorl/`.
class PlayerConfig : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = std::getenv("HOME") ? std::getenv("HOME") : "";
        std::filesystem::create_directories(dataHome_.path("quorl"));
        writeFile(playerConfig_, asString(defaultBytes()));
        ::setenv("XDG_DATA_HOME", dataHome_.path().c_str(), 1);
    }
    void TearDown() override {
        ::setenv("XDG_DATA_HOME", kNoDataHome, 1);
        ::setenv("HOME", home_.c_str(), 1);
    }
    ToolRun run(const std::vector<std::string>& args) { return runTool(folder_.path(), args); }

    std::string home_;
    TempFolder folder_, dataHome_;
    const std::string playerConfig_ = dataHome_.path("quorl/config");
};

TEST_F(PlayerConfig, UsedWhenTheFolderHasNoneAndNamedOnStderr) {
    ToolRun result = run({"set", "speed=99"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "quorl-config: using " + playerConfig_ + "\n");
    EXPECT_EQ(result.out, "updated " + playerConfig_ + ": speed\n");

    result = run({"export"});
    EXPECT_EQ(result.err, "quorl-config: using " + playerConfig_ + "\n");
    EXPECT_TRUE(contains(result.out, "\nspeed = 99\n")) << result.out;
    EXPECT_EQ(folderEntries(folder_.path()), std::vector<std::string>{});
}

TEST_F(PlayerConfig, FolderConfigOrANamedFileComesFirst) {
    EXPECT_EQ(run({"new", "other"}).err, "");
    EXPECT_TRUE(std::filesystem::exists(folder_.path("other")));
    writeFile(folder_.path("config"), asString(defaultBytes()));
    const ToolRun result = run({"set", "speed=5"});
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "updated config: speed\n");
    EXPECT_EQ(readFile(playerConfig_), asString(defaultBytes()));
}

TEST_F(PlayerConfig, HomeStandsInForAnUnsetOrRelativeDataHome) {
    const TempFolder home;
    std::filesystem::create_directories(home.path(".local/share"));
    std::filesystem::rename(dataHome_.path("quorl"), home.path(".local/share/quorl"));
    ::setenv("HOME", home.path().c_str(), 1);
    for (const char* dataHome : {"", "relative/data"}) {
        ::setenv("XDG_DATA_HOME", dataHome, 1);
        const ToolRun result = run({"show"});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "quorl-config: using " + home.path(".local/share/quorl/config\n"));
    }
}

// A copy of quorl-config installed as PREFIX/games/quorl-config beside the game's files in
// PREFIX/share/games/quorl, and a data home whose run folder does not exist yet.
class InstalledGame : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        fs::create_directories(prefix_.path("games"));
        fs::copy_file(QUORL_CONFIG_EXECUTABLE, program_);
        fs::create_directories(shared_ + "/patterns");
        writeFile(shared_ + "/config", asString(defaultBytes()));
        for (const char* name :
             {"red.png", "green.png", "blue.png", "yellow.png", "magenta.png", "cyan.png"}) {
            writeFile(shared_ + "/patterns/" + name, "png");
        }
        ::setenv("XDG_DATA_HOME", dataHome_.c_str(), 1);
    }
    void TearDown() override { ::setenv("XDG_DATA_HOME", kNoDataHome, 1); }
    ToolRun run(const std::vector<std::string>& args, int status) {
        ToolRun result = runTool(folder_.path(), args, 0, program_);
        EXPECT_EQ(result.status, status) << testing::PrintToString(args) << "\n" << result.err;
        return result;
    }

    TempFolder prefix_, folder_, data_;
    const std::string program_ = prefix_.path("games/quorl-config");
    const std::string shared_ = prefix_.path("share/games/quorl");
    const std::string dataHome_ = data_.path("data");
    const std::string runFolder_ = dataHome_ + "/quorl";
    const std::string playerConfig_ = runFolder_ + "/config";
};

TEST_F(InstalledGame, NewAndItsHintMakeTheRunFolderConfigAndSayWhere) {
    for (const char* command : {"show", "check", "export"}) {
        EXPECT_EQ(run({command}, 1).err,
                  "quorl-config: error: there is no config in this folder, and the installed "
                  "game's " +
                      playerConfig_ +
                      " does not exist yet (quorl-config new makes it with the default settings, "
                      "and so does the game's first start)\n");
    }
    run({"set", "speed=1"}, 1);
    EXPECT_FALSE(std::filesystem::exists(runFolder_));

    const ToolRun made = run({"new"}, 0);
    EXPECT_EQ(made.err, "quorl-config: using " + playerConfig_ + "\n");
    EXPECT_EQ(made.out, "wrote the default settings to " + playerConfig_ +
                            "\nno keys file beside it: every slot has its default keys\n");
    EXPECT_EQ(readFile(playerConfig_), asString(defaultBytes()));
    EXPECT_EQ(folderEntries(folder_.path()), std::vector<std::string>{});

    // The launcher links the installed patterns at the next start: they count as present.
    EXPECT_EQ(run({"check"}, 0).out, playerConfig_ + ": ok\n");
    run({"set", "slot3.pattern=blue.png"}, 0);
    EXPECT_EQ(run({"set", "slot3.pattern=mine.png"}, 1).err,
              "quorl-config: using " + playerConfig_ +
                  "\nquorl-config: error: slot3.pattern = \"mine.png\": no such file in " +
                  runFolder_ + "/patterns or " + shared_ +
                  "/patterns, where the game looks for patterns (add --force to set it anyway)\n");
    std::filesystem::create_directory(runFolder_ + "/patterns");
    writeFile(runFolder_ + "/patterns/mine.png", "png");
    run({"set", "slot3.pattern=mine.png"}, 0);
}

TEST_F(InstalledGame, ImportMakesTheRunFolderConfigAndANamedFileStaysHere) {
    const ToolRun imported = run({"import", QUORL_DEFAULT_CONFIG_INI}, 0);
    EXPECT_EQ(imported.out, "imported " + std::string(QUORL_DEFAULT_CONFIG_INI) + " into " +
                                playerConfig_ + "\n");
    EXPECT_EQ(readFile(playerConfig_), asString(defaultBytes()));

    EXPECT_EQ(run({"new", "config"}, 0).err, "");
    EXPECT_EQ(folderEntries(folder_.path()), std::vector<std::string>{"config"});
    // Outside the run folder only patterns/ beside the config counts.
    EXPECT_TRUE(contains(run({"check"}, 1).out, "config: 2 problems\n"));
}

TEST(NotInstalled, NewMakesTheConfigHere) {
    const TempFolder folder;
    EXPECT_EQ(runTool(folder.path(), {"new"}).out,
              "wrote the default settings to config\n"
              "no keys file beside it: every slot has its default keys\n");
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"config"});
}

}  // namespace
