// What the function-key bar shows and where its buttons sit, with plain values.
#include "KeySettingsFile.h"
#include "ModifierBytes.h"
#include "keys/FunctionKeyButtons.h"
#include "resource.h"
#include <gtest/gtest.h>

TEST(FunctionKeyButton, ShowsTheFirstBindingOfItsKeyUnderTheModifiers) {
    KeyAssignList table = defaultBindings();
    table.append({kVk, VK_F3, ID_FILE_EDIT, L"", L"編集"});  // after the default F3: never shown
    table.append({kCtrl, VK_F3, ID_FILE_EDIT, L"", L"編集"});
    table.append({kCtrl, VK_F7, ID_NONE, L"", L""});
    table.append({kCtrl, VK_F8, 0, L"", L""});  // a command no row carries has no short label
    const struct { std::uint8_t modifiers; int index; const wchar_t* text; bool enabled; } rows[] = {
        {kVk, 0, L"about", true}, {kVk, 1, L"名前", true}, {kVk, 2, L"コマンド", true}, {kVk, 3, L"DOS", true},
        {kVk, 4, L"更新", true}, {kVk, 5, L"BOOKMARK", true}, {kVk, 6, L"×", false}, {kVk, 7, L"×", false},
        {kVk, 8, L"揃え", true}, {kVk, 9, L"窓交換", true}, {kVk, 10, L"設定", true}, {kVk, 11, L"KEY", true},
        {kShift, 8, L"←揃", true}, {kShift, 9, L"揃→", true}, {kShift, 0, L"×", false}, {kShift, 4, L"×", false},
        {kShift, 11, L"×", false}, {kCtrl, 2, L"編集", true}, {kCtrl, 6, L"-", true}, {kCtrl, 7, L" ", true},
        {0, 0, L"×", false},  // no update yet: no binding lacks the virtual-key bit
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << int(r.modifiers) << " F" << r.index + 1);
        const FunctionKeyButton button = functionKeyButton(table, r.modifiers, r.index);
        EXPECT_EQ(button.text, r.text);
        EXPECT_EQ(button.enabled, r.enabled);
    }
}

TEST(FunctionKeyButton, TwelveEqualButtonsWithAGapAfterEveryFour) {
    const struct { int cx, cy, index; RECT rect; } rows[] = {
        {246, 24, 0, {1, 1, 21, 22}},     {246, 24, 3, {61, 1, 81, 22}},   {246, 24, 4, {83, 1, 103, 22}},
        {246, 24, 8, {165, 1, 185, 22}},  {246, 24, 11, {225, 1, 245, 22}}, {100, 24, 5, {42, 1, 49, 22}},
        {17, 20, 11, {15, 1, 15, 18}},    {5, 20, 3, {1, 1, 1, 18}},        {0, 20, 11, {0, 1, 0, 18}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.cx << " " << r.index);
        const RECT got = functionKeyButtonRect(r.index, r.cx, r.cy);
        EXPECT_EQ(got.left, r.rect.left);
        EXPECT_EQ(got.top, r.rect.top);
        EXPECT_EQ(got.right, r.rect.right);
        EXPECT_EQ(got.bottom, r.rect.bottom);
    }
}
