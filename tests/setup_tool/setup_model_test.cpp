// Tests of quorl-setup's edit model without a window: which edits it takes and refuses, what
// `check` shows beside which field, what Save writes and what it leaves alone.
#include "tools/quorl_setup/setup_model.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/setting_fields.h"
#include "test_support.h"
#include "tools/quorl_setup/match_result.h"
#include "tools/quorl_setup/pattern_files.h"

namespace {

class SetupModelTest : public ::testing::Test {
protected:
    void SetUp() override { writeDefaultPatterns(folder_); }

    // The texts of the notes beside `name`, one a line, each after its kind's letter.
    static std::string notes(const SetupModel& model, const std::string& name) {
        std::string text;
        for (const FieldNote& note : model.notes(name)) {
            text += "RPW"[static_cast<int>(note.kind)] + (": " + note.text + "\n");
        }
        return text;
    }

    TempFolder folder_;
    std::string config_ = folder_.path("config");
    std::string keys_ = folder_.path("keys");
};

TEST_F(SetupModelTest, TakesOrRefusesEditsAsQuorlConfigSetDoesAndShowsTheRefusal) {
    SetupModel model(config_);
    const struct {
        const char* name;
        const char* value;
        const char* refusal;  // the start of it; empty when the edit is taken
    } edits[] = {
        {"speed", "120", ""},
        {"limit", "256", "limit = \"256\": out of range"},
        {"slot1.name", "Ödön", ""},
        {"slot1.name", "Abcdefghijk", "slot1.name = \"Abcdefghijk\": 11 characters long"},
        {"slot2.name", "日本", "slot2.name = \"日本\": "},
        {"background", "1,2,3", ""},
        {"slot3.pattern", "a/b.png", "slot3.pattern = \"a/b.png\": contains the path separator"},
    };
    for (const auto& edit : edits) {
        const std::string before = model.value(edit.name);
        const std::string refusal = model.set(edit.name, edit.value);
        EXPECT_EQ(refusal.rfind(edit.refusal, 0), 0u) << edit.name << ": " << refusal;
        if (refusal.empty()) {
            EXPECT_EQ(model.value(edit.name), edit.value);
            EXPECT_EQ(notes(model, edit.name), "");
        } else {
            EXPECT_EQ(model.value(edit.name), before) << edit.name;
            EXPECT_EQ(notes(model, edit.name), "R: " + refusal + "\n");
        }
    }
    // A taken edit clears the refusal beside its field.
    EXPECT_EQ(model.set("limit", "5"), "");
    EXPECT_EQ(notes(model, "limit"), "");
}

TEST_F(SetupModelTest, BindsAKeyUnlessTheGameKeepsItOrAnotherKeyHasIt) {
    SetupModel model(config_);
    EXPECT_EQ(model.setKey(1, KeyRole::left, 'Z'), "");
    EXPECT_EQ(model.setKey(1, KeyRole::right, 'X'), "");
    EXPECT_EQ(model.setKey(1, KeyRole::right, 'Q'),
              "slot1.right = Q: Q is bound to slot5.left already");
    const struct {
        KeyRole role;
        std::uint8_t key;
        const char* refusal;  // its start
    } refused[] = {
        {KeyRole::fire, 'Z', "slot1.fire = Z: Z is bound to slot1.left already"},
        {KeyRole::fire, vk::kSpace, "slot1.fire = Space: Space is the game's own key"},
        {KeyRole::fire, 0, "that key is not one the game reads"},
    };
    for (const auto& key : refused) {
        const std::string refusal = model.setKey(1, key.role, key.key);
        EXPECT_EQ(refusal.rfind(key.refusal, 0), 0u) << refusal;
        EXPECT_EQ(notes(model, holderName({1, key.role})), "R: " + refusal + "\n");
    }
    // Rebinding a key to itself is no clash.
    EXPECT_EQ(model.setKey(1, KeyRole::left, 'Z'), "");
    const Bindings& keys = model.bindings();
    EXPECT_EQ(keys[1].left, 'Z');
    EXPECT_EQ(keys[1].right, 'X');
    EXPECT_EQ(keys[1].fire, kDefaultBindings[1].fire);
}

// Controllers go to the slots people play, as in the game: a computer's slot is passed by.
TEST_F(SetupModelTest, ControllersPassTheComputersSlotsBy) {
    SetupModel model(config_);
    ASSERT_EQ(model.set("slot2.enabled", "yes"), "");
    EXPECT_EQ(model.controllerFor(2), 2);
    EXPECT_EQ(model.controllerFor(5), 3);
    ASSERT_EQ(model.set("slot2.computer", "normal"), "");
    EXPECT_EQ(model.controllerFor(2), 0);
    EXPECT_EQ(model.controllerFor(5), 2);
    EXPECT_EQ(model.controllerFor(3), 0);
}

TEST_F(SetupModelTest, ShowsWhatCheckFindsBesideTheFieldItConcerns) {
    writeFile(keys_, "[slot1]\nleft = Q\n");
    SetupModel model(config_);
    EXPECT_EQ(notes(model, "slot5.left"), "P: slot5.left = Q: Q is bound to slot1.left already\n");
    model.set("slot5.enabled", "no");
    EXPECT_EQ(notes(model, "players").substr(0, 42), "W: only 1 player takes part (slot0): a rou");
    model.set("limit", "0");
    EXPECT_EQ(notes(model, "limit").substr(0, 15), "W: limit is 0: ");
    model.set("slot3.enabled", "yes");
    model.set("slot3.pattern", "gone.png");
    EXPECT_EQ(notes(model, "slot3.pattern").substr(0, 44),
              "P: slot3 pattern file patterns/gone.png is m");
    model.set("slot3.name", "Red");
    EXPECT_NE(notes(model, "slot0.name").find("have the same name \"Red\""), std::string::npos);
    EXPECT_EQ(notes(model, "slot3.name"), notes(model, "slot0.name"));
    // Controllers steer the enabled slots in slot order.
    const int expected[kSlotCount] = {1, 0, 0, 2, 0, 0};
    for (int slot = 0; slot < kSlotCount; ++slot)
        EXPECT_EQ(model.controllerFor(slot), expected[slot]);
}

TEST_F(SetupModelTest, SaveMakesTheFolderAndWritesTheKeysFileOnlyForChangedKeys) {
    const std::string config = folder_.path("run/config");
    SetupModel model(config);
    EXPECT_TRUE(model.dirty());
    ASSERT_EQ(model.save(), "");
    EXPECT_FALSE(model.dirty());
    EXPECT_FALSE(std::filesystem::exists(folder_.path("run/keys")));
    EXPECT_EQ(readFile(config), asString(defaultBytes()));

    model.set("slot2.enabled", "yes");
    model.set("slot2.name", "Ödön");
    model.setKey(2, KeyRole::fire, 'X');
    EXPECT_TRUE(model.dirty());
    ASSERT_EQ(model.save(), "");
    EXPECT_FALSE(model.dirty());
    Settings expected = defaultSettings();
    applyAssignments(expected, {{"slot2.enabled", "yes"}, {"slot2.name", "Ödön"}});
    SettingsBytes bytes{};
    encodeSettings(expected, bytes.data());
    EXPECT_EQ(readFile(config), asString(bytes));
    EXPECT_EQ(readKeysFile(folder_.path("run/keys")).bindings, model.bindings());
    EXPECT_EQ(folderEntries(folder_.path("run")), (std::vector<std::string>{"config", "keys"}));

    // Defaults, saved, are the defaults of quorl-config new and of the keys file.
    model.restoreDefaults();
    ASSERT_EQ(model.save(), "");
    EXPECT_EQ(readFile(config), asString(defaultBytes()));
    EXPECT_EQ(readKeysFile(folder_.path("run/keys")).bindings, kDefaultBindings);
}

TEST_F(SetupModelTest, LeavesWhatItCannotReadOrWriteAsItIs) {
    std::filesystem::create_directory(config_);  // a config that cannot be read
    writeFile(keys_, "[slot1]\nleft = Foo\n");
    SetupModel model(config_);
    EXPECT_NE(model.loadError().find(config_ + " is a folder, not a file"), std::string::npos);
    EXPECT_NE(model.loadError().find(keys_ + ":2: slot1.left = \"Foo\": no key has this name"),
              std::string::npos);
    EXPECT_EQ(model.save().rfind("Save keeps what could not be read as it is", 0), 0u);
    EXPECT_EQ(readFile(keys_), "[slot1]\nleft = Foo\n");

    // Chosen to start from the defaults, the keys file is replaced; the folder in the config's
    // place cannot be, and Save says so.
    model.replaceUnreadableFiles();
    EXPECT_TRUE(model.dirty());
    EXPECT_EQ(model.save().rfind("cannot write " + config_, 0), 0u);
    std::filesystem::remove(config_);
    ASSERT_EQ(model.save(), "");
    EXPECT_EQ(readKeysFile(keys_).bindings, kDefaultBindings);
    EXPECT_TRUE(readKeysFile(keys_).faults.empty());

    // A folder that cannot be made: a file took its place after loading.
    SetupModel blocked(folder_.path("run/config"));
    writeFile(folder_.path("run"), "");
    EXPECT_EQ(blocked.save().rfind("cannot create " + folder_.path("run"), 0), 0u);
}

TEST(PatternFiles, ListsEveryFolderSortedOnceAndSaysWhenThereAreNone) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path("a"));
    std::filesystem::create_directories(folder.path("b/sub"));
    for (const char* name : {"a/red.png", "a/.hidden.png", "b/blue.png", "b/red.png"}) {
        writeFile(folder.path(name), "png");
    }
    PatternFiles files = listPatternFiles({folder.path("a"), folder.path("b")});
    EXPECT_EQ(files.names, (std::vector<std::string>{"blue.png", "red.png"}));
    EXPECT_EQ(files.problem, "");
    files = listPatternFiles({folder.path("none")});
    EXPECT_TRUE(files.names.empty());
    EXPECT_EQ(files.problem, "no pattern images to choose from in " + folder.path("none") + " (" +
                                 folder.path("none") +
                                 ": No such file or directory): the game finds no line patterns "
                                 "there");
}

}  // namespace

// The last match in players' words: the winner, shared leads and draws, a match left early; and
// Play refused until two players take part.
TEST(MatchResult, NamesTheWinnerAndRefusesPlayAlone) {
    const auto match = [](std::vector<unsigned> scores, bool reachedLimit) {
        MatchResults results;
        results.reachedLimit = reachedLimit;
        const char* names[] = {"Ada", "Bence", "Cyan"};
        for (std::size_t i = 0; i < scores.size(); ++i)
            results.players.push_back({static_cast<int>(i) + 1, names[i], "red.png",
                                       ComputerLevel::none, scores[i]});
        return results;
    };
    const struct {
        std::vector<unsigned> scores;
        bool reachedLimit;
        const char* headline;
    } cases[] = {
        {{3, 10, 4}, true, "Bence wins!"},
        {{10, 10, 4}, true, "Ada and Bence share the lead."},
        {{7, 7, 7}, true, "A draw."},
        {{2, 1, 5}, false, "Match left before its end. Cyan wins!"},
    };
    for (const auto& c : cases) EXPECT_EQ(resultHeadline(match(c.scores, c.reachedLimit)), c.headline);

    MatchResults played = match({1, 0}, true);
    played.rounds.resize(1);
    EXPECT_EQ(roundsPlayed(played), "1 round played");
    played.rounds.resize(3);
    EXPECT_EQ(roundsPlayed(played), "3 rounds played");

    EXPECT_NE(playRefusal(0), "");
    EXPECT_NE(playRefusal(1).find("One player alone"), std::string::npos);
    EXPECT_EQ(playRefusal(2), "");
}

// The results file the game wrote since Play, and nothing older or unreadable.
TEST(MatchResult, ReadsOnlyTheResultsWrittenSincePlay) {
    TempFolder folder;
    MatchResults written;
    written.reachedLimit = true;
    written.players = {{1, "Ada", "red.png", ComputerLevel::none, 5},
                       {6, "Cyan", "cyan.png", ComputerLevel::hard, 2}};
    written.rounds.push_back({{6}, 1});
    writeFile(folder.path("results"), formatResults(written));
    const std::time_t now = std::time(nullptr);
    const std::optional<MatchResults> read = readMatchResult(folder.path(""), now - 5);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(standings(*read).front().name, "Ada");
    EXPECT_EQ(read->players.back().computer, ComputerLevel::hard);
    EXPECT_FALSE(readMatchResult(folder.path(""), now + 5).has_value());
    writeFile(folder.path("results"), "not a results file\n");
    EXPECT_FALSE(readMatchResult(folder.path(""), now - 5).has_value());
}
