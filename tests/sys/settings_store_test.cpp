#include "sys/settings_store.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsStoreTest, ReadsTheSettingsSectionOnly) {
    SettingsStore store;
    SysSettingsParse(
        "; comment\r\n"
        "[Settings]\r\n"
        "  DirectX = 0 \r\n"
        "cdrom=/media/disc\n"
        "Debug=1\n"
        "[Other]\n"
        "Debug=7\n"
        "just words\n"
        "[ settings ]\n"
        "Debug=2\n"
        "no equals sign\n"
        "=no name\n"
        "Empty=",
        &store);
    std::string text;
    uint32_t number = 99;
    EXPECT_EQ(SysSettingsQueryNumber(store, "DirectX", &number), SettingStatus::Ok);
    EXPECT_EQ(number, 0u);
    EXPECT_EQ(SysSettingsQueryText(store, "CDROM", &text), SettingStatus::Ok)
        << "names ignore case";
    EXPECT_EQ(text, "/media/disc");
    EXPECT_EQ(SysSettingsQueryNumber(store, "Debug", &number), SettingStatus::Ok);
    EXPECT_EQ(number, 2u) << "the later value wins; other sections are not ours";
    EXPECT_EQ(SysSettingsQueryText(store, "Empty", &text), SettingStatus::Ok);
    EXPECT_EQ(text, "");
    EXPECT_EQ(SysSettingsQueryText(store, "DirectVideo", &text), SettingStatus::Missing);

    ASSERT_EQ(store.badLines.size(), 2u) << "lines outside our section are not judged";
    EXPECT_EQ(store.badLines[0].number, 11);
    EXPECT_EQ(store.badLines[0].text, "no equals sign");
    EXPECT_EQ(store.badLines[1].text, "=no name");
}

TEST(SettingsStoreTest, NumbersMustBe32BitIntegers) {
    struct Case {
        const char* text;
        SettingStatus status;
        uint32_t value;
    };
    const Case cases[] = {
        {"0", SettingStatus::Ok, 0},
        {"-1", SettingStatus::Ok, 0xFFFFFFFFu},
        {"4294967295", SettingStatus::Ok, 0xFFFFFFFFu},
        {"-2147483648", SettingStatus::Ok, 0x80000000u},
        {"0x1F", SettingStatus::Ok, 31},
        {"4294967296", SettingStatus::WrongType, 7},
        {"-2147483649", SettingStatus::WrongType, 7},
        {"99999999999999999999999", SettingStatus::WrongType, 7},
        {"", SettingStatus::WrongType, 7},
        {"yes", SettingStatus::WrongType, 7},
        {"1 2", SettingStatus::WrongType, 7},
        {"12abc", SettingStatus::WrongType, 7},
        {"+5", SettingStatus::WrongType, 7},
        {"0x", SettingStatus::WrongType, 7},
        {"0x-5", SettingStatus::WrongType, 7},
        {"1.5", SettingStatus::WrongType, 7},
    };
    for (const Case& c : cases) {
        SettingsStore store;
        SysSettingsParse(std::string("[Settings]\nValue=") + c.text + "\n", &store);
        uint32_t value = 7;
        EXPECT_EQ(SysSettingsQueryNumber(store, "Value", &value), c.status) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

}  // namespace
