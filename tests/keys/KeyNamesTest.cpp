#include "keys/KeyNames.h"
#include <gtest/gtest.h>
#include <set>
#include <string>

TEST(KeyNameTable, CodesAndSettingsNamesAreUniqueAndReadBack) {
    EXPECT_EQ(keyNameTable().size(), 107u);
    std::set<std::uint16_t> codes;
    std::set<std::wstring> names;
    for (const KeyName& row : keyNameTable()) {
        SCOPED_TRACE(row.settingsName);
        EXPECT_NE(row.code, 0);
        EXPECT_TRUE(codes.insert(row.code).second);
        EXPECT_TRUE(names.insert(row.settingsName).second);
        // A stored name must lead back to its own key, or bindings would move on reload.
        EXPECT_EQ(keyCodeOf(row.settingsName), row.code);
        EXPECT_EQ(keySettingsText(1, row.code, L""), row.settingsName);
        EXPECT_EQ(keyDisplayText(1, row.code), row.displayName);
    }
}

TEST(KeyNameTable, RowsOfEachRangeSitWhereTheKeyListExpectsThem) {
    const auto rows = keyNameTable();
    const struct { size_t row; std::uint16_t code; const wchar_t* display; const wchar_t* settings; } cases[] = {
        {15, 0x0C, L"Clear(NUM 5)", L"Clear"}, {16, 0x70, L"F1", L"F1"},     {40, 0x30, L"0  ", L"0"},
        {42, 0x32, L"2 \"", L"2"},             {84, 0xBC, L"),", L"0xBC"},   {88, 0x60, L"NUM 0", L"Num0"},
        {104, 0x5B, L"左Windows", L"WinL"},    {106, 0x5D, L"ApplicationMenu", L"App"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        ASSERT_LT(c.row, rows.size());
        EXPECT_EQ(rows[c.row].code, c.code);
        EXPECT_STREQ(rows[c.row].displayName, c.display);
        EXPECT_STREQ(rows[c.row].settingsName, c.settings);
    }
}

TEST(KeyText, ModifiersComeInTheirFixedOrder) {
    const struct { std::uint8_t modifiers; std::uint16_t key; const wchar_t* caption; const wchar_t* display;
                   const wchar_t* settings; } rows[] = {
        {0x05, 0x21, L"", L"Shift+PageUp", L"+PageUp"},
        {0x09, 0x0D, L"", L"Ctrl+Enter", L"^Enter"},
        {0x11, 0x0D, L"", L"Alt+Enter", L"%Enter"},
        {0x0D, 0x41, L"", L"Shift+Ctrl+A", L"+^A"},
        {0x1D, 0x70, L"ヘルプ", L"Shift+Alt+Ctrl+F1", L"+%^F1.ヘルプ"},
        {0x01, 0xDC, L"", L"\\", L"0xDC"},
        {0x01, 0x13, L"", L"0x13", L"0x13"},
        {0x01, 0x0A, L"", L"0x0a", L"0x0a"},
        {0x01, 0x70, L"a.b", L"F1", L"F1.a.b"},
        // The virtual-key bit is never written, with or without it the texts are the same.
        {0x04, 0x41, L"", L"Shift+A", L"+A"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.settings);
        EXPECT_EQ(keyDisplayText(r.modifiers, r.key), r.display);
        EXPECT_EQ(keySettingsText(r.modifiers, r.key, r.caption), r.settings);
    }
}

TEST(KeySettingsText, ParsesPrefixesKeyTokenAndCaption) {
    const struct { const wchar_t* text; bool ok; std::uint8_t modifiers; std::uint16_t key; const wchar_t* caption; } rows[] = {
        {L"A", true, 0x01, 0x41, L""},
        {L"^+A", true, 0x0D, 0x41, L""},
        {L"+^A", true, 0x0D, 0x41, L""},
        {L"%^+F5", true, 0x1D, 0x74, L""},
        {L"++^^A", true, 0x0D, 0x41, L""},
        {L"0xdc", true, 0x01, 0xDC, L""},
        {L"0xDC", true, 0x01, 0xDC, L""},
        {L"0xDc", true, 0x01, 0xDC, L""},
        {L"0x13", true, 0x01, 0x13, L""},
        {L"0xff", true, 0x01, 0xFF, L""},
        {L"F1.", true, 0x01, 0x70, L""},
        {L"F1.a.b", true, 0x01, 0x70, L"a.b"},
        {L"+%^F1.ヘルプ", true, 0x1D, 0x70, L"ヘルプ"},
        {L"Num1", true, 0x01, 0x61, L""},
        {L"Back", true, 0x01, 0x08, L""},
        {L"0x00", false, 0, 0, L""},
        {L"0x5", false, 0, 0, L""},
        {L"0x123", false, 0, 0, L""},
        {L"0X13", false, 0, 0, L""},
        {L"0xg1", false, 0, 0, L""},
        {L".F1", false, 0, 0, L""},
        {L"+.F1", false, 0, 0, L""},
        {L"", false, 0, 0, L""},
        {L"+", false, 0, 0, L""},
        {L"%+^", false, 0, 0, L""},
        {L"f1", false, 0, 0, L""},
        {L"NUM 1", false, 0, 0, L""},
        {L"BackSpace", false, 0, 0, L""},
        {L"DefaultAssign", false, 0, 0, L""},
        {L"A+", false, 0, 0, L""},
        {L" A", false, 0, 0, L""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        const auto parsed = parseKeySettingsText(r.text);
        ASSERT_EQ(parsed.has_value(), r.ok);
        if (!parsed) continue;
        EXPECT_EQ(parsed->modifiers, r.modifiers);
        EXPECT_EQ(parsed->key, r.key);
        EXPECT_EQ(parsed->caption, r.caption);
    }
}
