// The `keys` file: key names both ways, what a file binds, and every fault the game refuses,
// each with its line.
#include "core/keys_file.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// The settings of a file as "NAME=VALUE" for each that differs from its default: the keys as
// "slotN.role=Name", then the other settings as quorl-config names them.
std::string changes(const TextSettings& settings) {
    std::string text;
    const auto add = [&](const std::string& name, const std::string& value) {
        text += (text.empty() ? "" : " ") + name + "=" + value;
    };
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (const KeyRole role : kKeyRoles) {
            const std::uint8_t key = keyFor(settings.bindings[slot], role);
            if (key != keyFor(kDefaultBindings[slot], role))
                add(holderName({slot, role}), keyName(key));
        }
    }
    for (const TextField& field : textFields()) {
        for (int slot = field.perSlot ? 0 : -1; slot < (field.perSlot ? kSlotCount : 0); ++slot) {
            const std::string value = field.format(settings, slot);
            if (value == field.format(TextSettings{}, slot)) continue;
            add(field.perSlot ? "slot" + std::to_string(slot) + "." + field.key : field.key, value);
        }
    }
    return text;
}

}  // namespace

TEST(KeysFile, EveryNameReadsBackAsItsKeyWhateverTheCaseAndSpacing) {
    std::set<std::string> names;
    for (const std::uint8_t key : namedKeys()) {
        const std::string name = keyName(key);
        EXPECT_TRUE(names.insert(name).second) << name;
        std::string shouted;
        for (const char c : name) shouted += static_cast<char>(std::toupper(c));
        EXPECT_EQ(keyByName(name), key) << name;
        EXPECT_EQ(keyByName("  " + shouted + " "), key) << name;
    }
    EXPECT_EQ(keyByName("left    arrow"), vk::kLeft);
    EXPECT_EQ(keyByName("z"), 'Z');
    EXPECT_EQ(keyByName("7"), '7');
    EXPECT_EQ(keyName(vk::kKeypadDivide), "Keypad /");
    EXPECT_EQ(keyByName("Keypad"), 0);
    EXPECT_EQ(keyName(0), "");
    for (const SlotKeys& keys : kDefaultBindings) {
        for (const KeyRole role : kKeyRoles) EXPECT_FALSE(keyName(keyFor(keys, role)).empty());
    }
    EXPECT_TRUE(bindingProblems(kDefaultBindings).empty());
}

TEST(KeysFile, ReadsWhatItBindsAndRefusesEveryFaultWithItsLine) {
    const struct {
        const char* text;
        const char* bound;                // the keys that differ from the defaults
        std::vector<std::string> faults;  // each "LINE: " and the start of its text
    } rows[] = {
        // What a file binds; whatever it leaves out keeps its default.
        {"", "", {}},
        {"# nothing but comments\n; and more\n\n[slot3]\n", "", {}},
        {"[slot1]\nleft = Z\nright = C\nfire = X\n", "slot1.left=Z slot1.right=C slot1.fire=X", {}},
        {"[SLOT0]\r\n  Left=q  \r\n[slot5]\nleft = A # by the window\nfire = page down ; far\n",
         "slot0.left=Q slot5.left=A slot5.fire=Page Down",
         {}},
        {"[slot0]\nleft = Right arrow\nright = Left arrow\n",
         "slot0.left=Right arrow slot0.right=Left arrow",
         {}},
        // As some editors save it, with a byte-order mark.
        {"\xEF\xBB\xBF[slot1]\nleft = Z\n", "slot1.left=Z", {}},
        // The sound before any section, and who steers each slot.
        {"volume = 40\nSound = off\n[slot3]\ncomputer = Hard\n[slot0]\ncomputer = no\n",
         "sound=no volume=40 slot3.computer=hard",
         {}},
        {"[slot2]\ncomputer = expert\n",
         "",
         {"2: slot2.computer = \"expert\": no such level (allowed: no, easy, normal or hard)"}},
        {"volume = 101\n", "", {"1: volume = \"101\": out of range (allowed: a whole number"}},
        {"[slot1]\ncomputer = easy\ncomputer = hard\n",
         "slot1.computer=easy",
         {"3: slot1.computer is given twice (first on line 2)"}},
        {"computer = easy\n", "", {"1: computer stands before any [slotN] section"}},
        // What it cannot be: unknown names, sections and entries, and lines that are not INI.
        {"[slot1]\nleft = Foo\n", "", {"2: slot1.left = \"Foo\": no key has this name"}},
        {"[slot1]\nleft =\n", "", {"2: slot1.left names no key"}},
        {"[slot6]\nleft = Z\n[slot1]\nright = C\n",
         "slot1.right=C",
         {"1: unknown section \"[slot6]\" (the sections are [slot0] to [slot5])"}},
        {"[slot1]\njump = Z\n",
         "",
         {"2: unknown entry \"jump\" (the entries are left, right, fire and computer)"}},
        {"[slot1]\nvolume = 5\njump = 1\n[slot2",
         "",
         {"2: unknown entry \"volume\" (the entries are left, right, fire and computer)",
          "3: ", "4: not a section"}},
        {"jump = 1\n",
         "",
         {"1: unknown entry \"jump\" (the entries before any section are sound and volume)"}},
        {"left = Z\n", "", {"1: left stands before any [slotN] section"}},
        {"[slot1]\njust words\n", "", {"2: not an entry: expected left, right or fire = KEY"}},
        {"[slot1\n", "", {"1: not a section: expected [slotN]"}},
        {"[slot1]\nleft = Z\nleft = C\n",
         "slot1.left=Z",
         {"3: slot1.left is given twice (first on line 2)"}},
        // Keys bound twice, within a slot, across slots, or onto another slot's default.
        {"[slot1]\nleft = Z\nright = Z\n",
         "slot1.left=Z slot1.right=Z",
         {"3: slot1.right = Z: Z is bound to slot1.left already (line 2)"}},
        {"[slot4]\nfire = Z\n[slot1]\nleft = Z\n",
         "slot1.left=Z slot4.fire=Z",
         {"4: slot1.left = Z: Z is bound to slot4.fire already (line 2)"}},
        {"[slot1]\nleft = Q\n",
         "slot1.left=Q",
         {"2: slot1.left = Q: Q is bound to slot5.left already (its default); give slot5.left "
          "another key"}},
        // The keys the game keeps for itself.
        {"[slot2]\nleft = space\nright = Escape\nfire = ALT\n[slot3]\nfire = F10\n",
         "slot2.left=Space slot2.right=Escape slot2.fire=Alt slot3.fire=F10",
         {"2: slot2.left = Space: Space is the game's own key (it keeps Space, Escape, Alt and "
          "F10 for itself)",
          "3: slot2.right = Escape: Escape is the game's own key",
          "4: slot2.fire = Alt: Alt is the game's own key",
          "6: slot3.fire = F10: F10 is the "
          "game's own key"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const KeysFile file = parseKeys(row.text);
        EXPECT_EQ(changes(file), row.bound);
        std::vector<std::string> faults;
        for (const Fault& fault : file.faults)
            faults.push_back(std::to_string(fault.line) + ": " + fault.text);
        ASSERT_EQ(faults.size(), row.faults.size()) << testing::PrintToString(faults);
        for (std::size_t i = 0; i < faults.size(); ++i)
            EXPECT_EQ(faults[i].rfind(row.faults[i], 0), 0u) << faults[i];
    }
}

TEST(KeysFile, WrittenSettingsReadBackAsTheyWere) {
    Bindings laptop = kDefaultBindings;
    laptop[1] = {'Z', 'C', 'X'};
    laptop[2] = {'5', '7', '6'};
    laptop[4] = {'B', 'M', 'N'};
    TextSettings againstTheComputer;
    againstTheComputer.bindings = laptop;
    againstTheComputer.computer[4] = ComputerLevel::hard;
    againstTheComputer.sound = {false, 35};
    for (const TextSettings& settings : {TextSettings{}, againstTheComputer}) {
        const KeysFile file = parseKeys(formatKeys(settings));
        EXPECT_TRUE(file.faults.empty()) << faultList(file.faults, "keys");
        EXPECT_TRUE(TextSettings(file) == settings);
    }
    EXPECT_EQ(faultList({{0, "is a folder, not a file"}, {3, "names no key"}}, "run/keys"),
              "run/keys: is a folder, not a file\nrun/keys:3: names no key");
    const auto holder = holderOf(laptop, 'N');
    ASSERT_TRUE(holder.has_value());
    EXPECT_EQ(holderName(*holder), "slot4.fire");
    EXPECT_FALSE(holderOf(laptop, 'N', KeyHolder{4, KeyRole::fire}).has_value());
}

// Comments and headers longer than the INI reader's line take what fits, and nothing overruns.
TEST(KeysFile, OverlongCommentsAndHeadersAreCutNotOverrun) {
    const std::string comment = "# " + std::string(300, 'x') + "\n";
    const KeysFile file =
        parseKeys(comment + "[slot1]\nleft = Z\n[" + std::string(300, 's') + "]\n");
    EXPECT_EQ(file.bindings[1].left, 'Z');
    ASSERT_EQ(file.faults.size(), 1u);
    EXPECT_EQ(file.faults[0].line, 4);
    EXPECT_EQ(file.faults[0].text, "the line is longer than 199 characters");
}
