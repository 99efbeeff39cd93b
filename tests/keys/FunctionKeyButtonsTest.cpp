// What the function-key bar shows and where its buttons sit, with plain values (the default labels
// are shown on the running program's bar).
#include "KeySettingsFile.h"
#include "ModifierBytes.h"
#include "keys/FunctionKeyButtons.h"
#include "resource.h"
#include <gtest/gtest.h>

TEST(FunctionKeyButton, CaptionThenShortLabelThenASpaceOfTheFirstBindingAndANameWithItsKey) {
    KeyAssignList table = defaultBindings();
    table.append({kVk, VK_F3, ID_FILE_EDIT, L"", L"編集"});  // after the default F3: never shown
    table.append({kCtrl, VK_F3, ID_FILE_EDIT, L"", L"編集"});
    table.append({kCtrl, VK_F7, ID_NONE, L"", L""});
    table.append({kCtrl, VK_F8, 0, L"", L""});  // a command no row carries has no short label
    const struct { std::uint8_t modifiers; int index; const wchar_t* text; bool enabled; const wchar_t* name; } rows[] = {
        {kVk, 2, L"コマンド", true, L"F3 コマンド"}, {kCtrl, 2, L"編集", true, L"Ctrl+F3 編集"},
        {kCtrl, 6, L"-", true, L"Ctrl+F7 -"},       {kCtrl, 7, L" ", true, L"Ctrl+F8"},
        {kCtrl, 0, L"×", false, L"Ctrl+F1 割り当てなし"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << int(r.modifiers) << " F" << r.index + 1);
        const FunctionKeyButton button = functionKeyButton(table, r.modifiers, r.index);
        EXPECT_EQ(button.text, r.text);
        EXPECT_EQ(button.enabled, r.enabled);
        EXPECT_EQ(button.name, r.name);
    }
}

TEST(FunctionKeyButton, TwelveEqualButtonsWithAGapAfterEveryFour) {
    const struct { int cx, cy, index; RECT rect; } rows[] = {
        {246, 24, 0, {1, 1, 21, 22}},  {246, 24, 3, {61, 1, 81, 22}}, {246, 24, 4, {83, 1, 103, 22}},
        {246, 24, 11, {225, 1, 245, 22}}, {100, 24, 5, {42, 1, 49, 22}}, {5, 20, 3, {1, 1, 1, 18}},
        {0, 20, 11, {0, 1, 0, 18}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.cx << " " << r.index);
        const RECT got = functionKeyButtonRect(r.index, r.cx, r.cy);
        EXPECT_TRUE(EqualRect(&got, &r.rect)) << got.left << "," << got.top << "," << got.right << "," << got.bottom;
    }
}
