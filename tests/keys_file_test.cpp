// The `keys` file: key names both ways, what a file binds, and every fault the game refuses,
// each with its line.
#include "core/keys_file.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// The keys of a file as "slotN.role=Name" for each key that differs from the defaults.
std::string changes(const Bindings& bindings) {
    std::string text;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (const KeyRole role : kKeyRoles) {
            const std::uint8_t key = keyFor(bindings[slot], role);
            if (key == keyFor(kDefaultBindings[slot], role)) continue;
            text += (text.empty() ? "" : " ") + holderName({slot, role}) + "=" + keyName(key);
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
        // What it cannot be: unknown names, sections and entries, and lines that are not INI.
        {"[slot1]\nleft = Foo\n", "", {"2: slot1.left = \"Foo\": no key has this name"}},
        {"[slot1]\nleft =\n", "", {"2: slot1.left names no key"}},
        {"[slot6]\nleft = Z\n[slot1]\nright = C\n",
         "slot1.right=C",
         {"1: unknown section \"[slot6]\" (the sections are [slot0] to [slot5])"}},
        {"[slot1]\njump = Z\n",
         "",
         {"2: unknown entry \"jump\" (the entries are left, right and fire)"}},
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
        EXPECT_EQ(changes(file.bindings), row.bound);
        std::vector<std::string> faults;
        for (const Fault& fault : file.faults)
            faults.push_back(std::to_string(fault.line) + ": " + fault.text);
        ASSERT_EQ(faults.size(), row.faults.size()) << testing::PrintToString(faults);
        for (std::size_t i = 0; i < faults.size(); ++i)
            EXPECT_EQ(faults[i].rfind(row.faults[i], 0), 0u) << faults[i];
    }
}

TEST(KeysFile, WrittenBindingsReadBackAsTheyWere) {
    Bindings laptop = kDefaultBindings;
    laptop[1] = {'Z', 'C', 'X'};
    laptop[2] = {'5', '7', '6'};
    laptop[4] = {'B', 'M', 'N'};
    for (const Bindings& bindings : {kDefaultBindings, laptop}) {
        const KeysFile file = parseKeys(formatKeys(bindings));
        EXPECT_TRUE(file.faults.empty()) << faultList(file.faults, "keys");
        EXPECT_TRUE(file.bindings == bindings);
    }
    EXPECT_EQ(faultList({{0, "is a folder, not a file"}, {3, "names no key"}}, "run/keys"),
              "run/keys: is a folder, not a file\nrun/keys:3: names no key");
    const auto holder = holderOf(laptop, 'N');
    ASSERT_TRUE(holder.has_value());
    EXPECT_EQ(holderName(*holder), "slot4.fire");
    EXPECT_FALSE(holderOf(laptop, 'N', KeyHolder{4, KeyRole::fire}).has_value());
}
