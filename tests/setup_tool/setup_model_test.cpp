// Tests of quorl-setup's edit model without a window: which edits it takes and refuses, what
// `check` shows beside which field, what Save writes and what it leaves alone.
#include "tools/quorl_setup/setup_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "core/setting_fields.h"
#include "test_support.h"
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
        {"slot1.name", "Abcdefghijk", "a name has at most 10 letters"},
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
    EXPECT_EQ(model.setKey(1, KeyRole::right, 'Q'), "Q is Cyan's left key");
    const struct {
        KeyRole role;
        std::uint8_t key;
        const char* refusal;  // its start
    } refused[] = {
        {KeyRole::fire, 'Z', "Z is Green's left key"},
        {KeyRole::fire, vk::kSpace, "Space is the game's own key"},
        {KeyRole::fire, 0, "the game does not read that key"},
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

TEST_F(SetupModelTest, LeavesOutOfANameOnlyTheCharactersTheFontCannotDraw) {
    SetupModel model(config_);
    const struct {
        const char* typed;
        const char* kept;  // the name afterwards
        const char* note;  // beside the name field
    } edits[] = {
        {"Łukasz", "ukasz", "R: the game cannot draw Ł, so it was left out\n"},
        // A later edit of the same field keeps the note: the player is still typing.
        {"ukaszek", "ukaszek", "R: the game cannot draw Ł, so it was left out\n"},
        {"日本日", "", "R: the game cannot draw 日本, so it was left out\n"},
        {"Ödön", "Ödön", "R: the game cannot draw 日本, so it was left out\n"},
        // Too long even without the left-out letter: the whole edit is refused.
        {"Łukasz Abcdefg", "Ödön", "R: a name has at most 10 letters\n"},
        {"Łukasz", "ukasz", "R: the game cannot draw Ł, so it was left out\n"},
    };
    for (const auto& edit : edits) {
        model.set("slot1.name", edit.typed);
        EXPECT_EQ(model.value("slot1.name"), edit.kept) << edit.typed;
        EXPECT_EQ(notes(model, "slot1.name"), edit.note) << edit.typed;
    }
    // Editing another field ends it.
    model.set("speed", "100");
    EXPECT_EQ(notes(model, "slot1.name"), "");
    model.set("slot1.name", "Ödön");
    EXPECT_EQ(notes(model, "slot1.name"), "");
}

TEST_F(SetupModelTest, AClashingKeyNamesThePlayerWhoHoldsItAndPointsAtTheirKey) {
    SetupModel model(config_);
    const KeyHolder right{1, KeyRole::right};
    const struct {
        const char* holderName;  // slot 5's name
        const char* refusal;
    } cases[] = {
        {"Bence", "Q is Bence's left key"},
        {"", "Q is Player 6's left key"},
    };
    for (const auto& clash : cases) {
        model.set("slot5.name", clash.holderName);
        EXPECT_EQ(model.setKey(1, KeyRole::right, 'Q'), clash.refusal);
        EXPECT_EQ(model.clashWith(right), (KeyHolder{5, KeyRole::left}));
    }
    EXPECT_EQ(model.setKey(1, KeyRole::right, 'X'), "");
    EXPECT_FALSE(model.clashWith(right).has_value());
    EXPECT_EQ(model.setKey(1, KeyRole::fire, vk::kSpace).rfind("Space is the game's own key", 0), 0u);
    EXPECT_FALSE(model.clashWith({1, KeyRole::fire}).has_value());
}

TEST_F(SetupModelTest, PlayNeedsTwoPlayersAndTheLimitSuggestedSuitsTheirNumber) {
    const struct {
        std::vector<std::pair<std::string, std::string>> edits;
        int players;
        bool refused;
        std::optional<unsigned> suggested;
    } cases[] = {
        {{}, 2, false, std::nullopt},  // the default 10 points suit two players
        {{{"slot5.enabled", "no"}}, 1, true, std::nullopt},
        {{{"slot0.enabled", "no"}, {"slot5.enabled", "no"}}, 0, true, std::nullopt},
        {{{"slot1.enabled", "yes"}, {"slot2.enabled", "yes"}}, 4, false, 30u},
        {{{"slot1.enabled", "yes"}, {"slot2.enabled", "yes"}, {"limit", "30"}}, 4, false,
         std::nullopt},
        {{{"slot1.enabled", "yes"}, {"mode", "rounds"}}, 3, false, std::nullopt},
        {{{"limit", "25"}}, 2, false, 10u},
    };
    for (const auto& match : cases) {
        SetupModel model(config_);
        for (const auto& [name, value] : match.edits) ASSERT_EQ(model.set(name, value), "");
        EXPECT_EQ(model.playerCount(), match.players);
        EXPECT_EQ(!model.playRefusal().empty(), match.refused) << model.playRefusal();
        EXPECT_EQ(model.suggestedLimit(), match.suggested) << match.players;
    }
}

TEST_F(SetupModelTest, ShowsChangesAsUnsavedUntilSavedOrUndone) {
    SetupModel model(config_);
    ASSERT_EQ(model.save(), "");
    const struct {
        const char* name;
        const char* value;
        bool dirty;
    } edits[] = {
        {"slot3.computer", "hard", true}, {"slot3.computer", "no", false},
        {"volume", "40", true},           {"volume", "80", false},
        {"slot2.name", "Bence", true},    {"slot2.name", "Blue", false},
    };
    for (const auto& edit : edits) {
        ASSERT_EQ(model.set(edit.name, edit.value), "");
        EXPECT_EQ(model.dirty(), edit.dirty) << edit.name << " = " << edit.value;
    }
    model.setKey(0, KeyRole::fire, 'M');
    EXPECT_TRUE(model.dirty());
    ASSERT_EQ(model.save(), "");
    EXPECT_FALSE(model.dirty());
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
