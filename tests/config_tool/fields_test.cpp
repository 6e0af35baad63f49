// Tests of the settings table: where each setting lies in the file and what it writes there.
#include <gtest/gtest.h>

#include <vector>

#include "core/setting_fields.h"
#include "test_support.h"

namespace {

// A value each kind of setting takes, in the form `format` gives back.
std::string sampleValue(const SettingField& field, const SettingsBytes& before) {
    switch (field.kind) {
        case FieldKind::number:
            return field.width == 2 ? "65535" : "255";
        case FieldKind::flag:
            return field.format(before) == "yes" ? "no" : "yes";
        case FieldKind::mode:
            return "rounds";
        case FieldKind::colour:
            return "1,2,3";
        case FieldKind::name:
            return "Ödön";
        default:
            return "x.png";
    }
}

TEST(SettingTable, SettingsAndRawValuesCoverTheFileOnceEach) {
    std::vector<int> owners(kSettingsFileSize, 0);
    std::vector<const SettingField*> fields;
    for (const SettingField& field : settingFields()) fields.push_back(&field);
    for (const SettingField& field : rawFields()) {
        if (field.kind == FieldKind::reserved || field.kind == FieldKind::playerCount) {
            fields.push_back(&field);
        }
    }
    for (const SettingField* field : fields) {
        ASSERT_LE(field->offset + field->width, kSettingsFileSize) << field->name;
        for (std::size_t i = 0; i < field->width; ++i) ++owners[field->offset + i];
    }
    for (std::size_t byte = 0; byte < kSettingsFileSize; ++byte) {
        EXPECT_EQ(owners[byte], 1) << "byte " << byte;
    }
}

TEST(SettingTable, EachSettingWritesOnlyItsOwnBytesAndReadsThemBack) {
    for (const SettingField& field : settingFields()) {
        const SettingsBytes before = defaultBytes();
        SettingsBytes after = before;
        const std::string value = sampleValue(field, before);
        field.assign(after, value);
        EXPECT_EQ(field.format(after), value) << field.name;
        EXPECT_FALSE(field.shownValue(after).empty()) << field.name;
        for (std::size_t byte = 0; byte < kSettingsFileSize; ++byte) {
            const bool own = byte >= field.offset && byte < field.offset + field.width;
            if (!own) {
                EXPECT_EQ(after[byte], before[byte]) << field.name << ", byte " << byte;
            }
        }
        EXPECT_NE(asString(after), asString(before)) << field.name;
    }
}

}  // namespace
