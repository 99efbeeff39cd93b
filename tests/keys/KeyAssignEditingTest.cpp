// The decisions of the key dialogs, with plain values.
#include "ModifierBytes.h"
#include "keys/KeyAssignEditing.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <windows.h>

TEST(KeyListEditing, ButtonsFollowTheSelection) {
    const struct { int selected, rows; KeyListButtons expected; } rows[] = {
        {-1, 3, {false, false, false, false}}, {0, 3, {true, true, false, true}}, {1, 3, {true, true, true, true}},
        {2, 3, {true, true, true, false}},     {0, 1, {true, true, false, false}}, {3, 3, {false, false, false, false}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.selected << " of " << r.rows);
        const KeyListButtons got = keyListButtons(r.selected, r.rows);
        EXPECT_EQ(got.edit, r.expected.edit);
        EXPECT_EQ(got.remove, r.expected.remove);
        EXPECT_EQ(got.up, r.expected.up);
        EXPECT_EQ(got.down, r.expected.down);
    }
}

TEST(KeyListEditing, OnlyTheFirstEntryWithTheKeyConflictsAndNeverTheEditedOne) {
    KeyAssignList list;
    list.append({kVk, 'A', ID_FILE_COPY, L"", L""});
    list.append({kCtrl, 'C', ID_EDIT_COPY, L"", L""});
    list.append({kVk, 'B', ID_FILE_MOVE, L"", L""});
    list.append({kVk, 'A', ID_FILE_DELETE, L"", L""});
    const struct { const wchar_t* name; KeyAssign binding; int edited; int conflict; } rows[] = {
        {L"new Ctrl+C", {kCtrl, 'C', ID_NONE, L"", L""}, -1, 1},
        {L"new Shift+C", {kShift, 'C', ID_NONE, L"", L""}, -1, -1},
        {L"same key, own caption", {kCtrl, 'C', ID_EDIT_COPY, L"", L"x"}, -1, 1},
        {L"edit keeps its key", {kCtrl, 'C', ID_FILE_VIEW, L"p", L""}, 1, -1},
        {L"edit to a later key", {kVk, 'B', ID_FILE_COPY, L"", L""}, 0, 2},
        {L"edit to an earlier key", {kVk, 'A', ID_FILE_MOVE, L"", L""}, 2, 0},
        {L"first with the key is the edited one", {kVk, 'A', ID_FILE_VIEW, L"", L""}, 0, -1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(conflictingEntry(list, r.binding, r.edited), r.conflict);
    }
}

TEST(KeyAssignFields, MakeTheBindingTheDialogReturns) {
    const struct { const wchar_t* name; AssignFields fields; KeyAssign binding; } rows[] = {
        {L"F7 keeps the proposed caption", {VK_F7, ID_VIEW_RENEW, false, false, false, L"", L"更新"},
         {kVk, VK_F7, ID_VIEW_RENEW, L"", L"更新"}},
        {L"G drops it", {'G', ID_VIEW_RENEW, false, false, false, L"", L"更新"}, {kVk, 'G', ID_VIEW_RENEW, L"", L""}},
        {L"F13 has no button", {0x7C, ID_VIEW_RENEW, false, false, false, L"", L"更新"},
         {kVk, 0x7C, ID_VIEW_RENEW, L"", L""}},
        {L"modifier bits", {VK_F12, ID_NONE, true, true, true, L"", L""},
         {kVk | KeyModifier::kAlt | KeyModifier::kCtrl | KeyModifier::kShift, VK_F12, ID_NONE, L"", L""}},
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
    EXPECT_EQ(row.key, L"Shift+F5(ログ)");
    EXPECT_EQ(row.label, L"マスク");
    EXPECT_EQ(row.setting, L"VIEW_WILDCARD,*.log");
    const KeyListRow unknown = keyListRow({kVk, 'A', 0, L"", L""});
    EXPECT_EQ(unknown.label + unknown.setting, L"");

    EXPECT_EQ(commandChoiceText(commandTable()[0]), L"-" + std::wstring(9, L' ') + L"NONE");
    const CommandEntry longLabel{1, nullptr, L"X", L"12345678901", L""};
    EXPECT_EQ(commandChoiceText(longLabel), L"12345678901X");
}
