// The decisions of the key dialogs, with plain values: the cases the dialog tests do not reach.
#include "ModifierBytes.h"
#include "keys/KeyAssignEditing.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <windows.h>

TEST(KeyListEditing, OnlyTheFirstEntryWithTheKeyConflictsAndNeverTheEditedOne) {
    KeyAssignList list;
    for (std::uint16_t key : {'A', 'C', 'A'}) list.append({kVk, key, ID_FILE_COPY, L"", L""});
    const struct { const wchar_t* name; KeyAssign binding; int edited; int conflict; } rows[] = {
        {L"only the caption differs", {kVk, 'C', ID_FILE_COPY, L"", L"x"}, -1, 1},
        {L"other modifiers", {kShift, 'C', ID_FILE_COPY, L"", L""}, -1, -1},
        {L"edit to an earlier entry's key", {kVk, 'A', ID_FILE_MOVE, L"", L""}, 1, 0},
        {L"the edited entry is the first with the key", {kVk, 'A', ID_FILE_MOVE, L"", L""}, 0, -1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(conflictingEntry(list, r.binding, r.edited), r.conflict);
    }
}

TEST(KeyListEditing, TheAssignmentFieldsMakeTheBinding) {
    const struct { const wchar_t* name; AssignFields fields; KeyAssign binding; } rows[] = {
        {L"F13 has no button", {0x7C, ID_VIEW_RENEW, false, false, false, L"", L"更新"}, {kVk, 0x7C, ID_VIEW_RENEW, L"", L""}},
        {L"all modifiers", {VK_F12, ID_NONE, true, true, true, L"", L"x"},
         {kVk | KeyModifier::kAlt | KeyModifier::kCtrl | KeyModifier::kShift, VK_F12, ID_NONE, L"", L"x"}},
        {L"parameter kept without handler", {'J', ID_UI_LINE_DOWN, false, true, false, L"*.txt", L""},
         {kCtrl, 'J', ID_UI_LINE_DOWN, L"*.txt", L""}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(assignedBinding(r.fields), r.binding);
    }
}

TEST(KeyListEditing, RowAndChoiceTexts) {
    const KeyListRow row = keyListRow({kShift, VK_F5, ID_VIEW_WILDCARD, L"*.log", L"ログ"});
    EXPECT_EQ(row.key + L"|" + row.label + L"|" + row.setting, L"Shift+F5(ログ)|マスク|VIEW_WILDCARD,*.log");
    const KeyListRow unknown = keyListRow({kVk, 'A', 0, L"", L""});
    EXPECT_EQ(unknown.label + unknown.setting, L"");
    EXPECT_EQ(commandChoiceText(commandTable()[0]), L"-" + std::wstring(9, L' ') + L"NONE");
    EXPECT_EQ(commandChoiceText({1, nullptr, L"X", L"12345678901", L""}), L"12345678901X");
}
