// Tests of the names the settings tool gives the players' keys.
#include "tools/quorl_config/key_names.h"

#include <gtest/gtest.h>

#include <set>

#include "game/players/slot_keys.h"

namespace {

TEST(KeyNames, EverySlotKeyHasANameOfItsOwn) {
    std::set<std::string> names;
    for (const SlotKeys& keys : kSlotKeys) {
        for (const std::uint8_t code : {keys.left, keys.right, keys.fire}) {
            const std::string name = slotKeyName(code);
            EXPECT_EQ(name.find("key 0x"), std::string::npos) << int{code};
            EXPECT_TRUE(names.insert(name).second) << name;
        }
    }
    EXPECT_EQ(slotKeyName(vk::kEscape), "key 0x1B");
}

TEST(KeyNames, SlotTextsNameLeftRightAndFire) {
    EXPECT_EQ(slotKeysText(0), "left Left arrow, right Right arrow, fire Up arrow");
    EXPECT_EQ(slotKeysText(1), "left keypad /, right keypad -, fire keypad *");
    EXPECT_EQ(slotKeysText(2), "left Insert, right Page Up, fire Home");
    EXPECT_EQ(slotKeysText(5), "left Q, right E, fire W");
}

}  // namespace
