// Tests of the file quorl-config uses when none is named: config in the current folder, else the
// player's own one in the launcher's run folder under $XDG_DATA_HOME or ~/.local/share.
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

}  // namespace
