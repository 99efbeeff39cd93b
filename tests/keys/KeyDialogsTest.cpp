// The key dialogs on their real windows: a helper thread works the list and the assignment dialog
// as the user would and answers the overwrite question.
#include "KeySettingsFile.h"
#include "ModifierBytes.h"
#include "keys/KeyListDialog.h"
#include "support/KeyDialogDriver.h"
#include <commctrl.h>
#include <gtest/gtest.h>

namespace {
class KeyDialogs : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        dialog.bindings = defaultBindings();
    }
    // Runs the list dialog while `action` works it from the helper thread; the dialog's result.
    INT_PTR run(std::function<void(HWND)> action) {
        DialogAction act(L"キー割り当て一覧", std::move(action));
        const INT_PTR result = dialog.doModal(nullptr);
        EXPECT_TRUE(act.finish());
        return result;
    }
    bool enabled(HWND list, int id) { return IsWindowEnabled(GetDlgItem(list, id)) != FALSE; }

    KeyListDialog dialog;
    const KeyAssignList defaults = defaultBindings();
    const DWORD uiThread = GetCurrentThreadId();
};
}  // namespace

TEST_F(KeyDialogs, AddingATakenKeyAsksAndPutsTheNewBindingAtTheEnd) {
    const int oldCtrlC = defaults.find(kCtrl, 'C');
    ASSERT_GE(oldCtrlC, 0);
    std::wstring noKey, noCommand, rowShown;
    MessageBoxSeen question;
    const INT_PTR result = run([&](HWND list) {
        clickButton(list, IDC_KEY_LIST_ADD);
        HWND assign = waitForWindow(uiThread, L"キー割り当て");
        ASSERT_TRUE(assign);
        clickButton(assign, IDOK);
        noKey = answerMessageBox(uiThread, IDOK).text;
        chooseKey(assign, 'C');
        clickButton(assign, IDOK);
        noCommand = answerMessageBox(uiThread, IDOK).text;
        tick(assign, IDC_KEY_CTRL);
        chooseCommand(assign, ID_FILE_VIEW);
        clickButton(assign, IDOK);
        question = answerMessageBox(uiThread, IDOK);
        waitUntilGone(assign);
        rowShown = keyListRows(list).back();
        clickButton(list, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(noKey, L"キーが選択されていません");
    EXPECT_EQ(noCommand, L"機能が選択されていません");
    EXPECT_EQ(question.text, L"Ctrl+C は設定済です\n上書きしますか？");

    KeyAssignList expected = defaults;
    expected.removeAt(oldCtrlC);
    expected.append({kCtrl, 'C', ID_FILE_VIEW, L"", L""});
    EXPECT_EQ(dialog.bindings, expected);
    EXPECT_EQ(rowShown, L"Ctrl+C|閲覧|FILE_VIEW");
}

TEST_F(KeyDialogs, EditingWithoutChangingTheKeyAsksNothingAndKeepsTheEmptyCaption) {
    const int f5 = defaults.find(kVk, VK_F5);
    std::wstring captionShown;
    bool asked = true;
    run([&](HWND list) {
        selectKeyRow(list, f5);
        clickButton(list, IDC_KEY_LIST_EDIT);
        HWND assign = waitForWindow(uiThread, L"キー割り当て");
        ASSERT_TRUE(assign);
        captionShown = windowText(GetDlgItem(assign, IDC_KEY_CAPTION));
        clickButton(assign, IDOK);
        asked = waitForWindow(uiThread, L"Vantor", 300) != nullptr;
        waitUntilGone(assign);
        clickButton(list, IDOK);
    });
    EXPECT_EQ(captionShown, L"");
    EXPECT_FALSE(asked);
    EXPECT_EQ(dialog.bindings, defaults);
}

TEST_F(KeyDialogs, EditingToALaterEntrysKeyLeavesOneEntryAtTheEditedPlace) {
    ASSERT_EQ(defaults.at(0).key, VK_LEFT);
    ASSERT_EQ(defaults.at(1).key, VK_RIGHT);
    MessageBoxSeen question;
    run([&](HWND list) {
        selectKeyRow(list, 0);
        clickButton(list, IDC_KEY_LIST_EDIT);
        HWND assign = waitForWindow(uiThread, L"キー割り当て");
        ASSERT_TRUE(assign);
        chooseKey(assign, VK_RIGHT);
        chooseCommand(assign, ID_MARK_ALL);
        clickButton(assign, IDOK);
        question = answerMessageBox(uiThread, IDOK);
        waitUntilGone(assign);
        clickButton(list, IDOK);
    });
    EXPECT_EQ(question.text, L"→ は設定済です\n上書きしますか？");
    KeyAssignList expected = defaults;
    expected.at(0) = {kVk, VK_RIGHT, ID_MARK_ALL, L"", L""};
    expected.removeAt(1);
    EXPECT_EQ(dialog.bindings, expected);
}

TEST_F(KeyDialogs, ButtonsAndDescriptionFollowTheSelectionAndRowsMove) {
    const int last = defaults.count() - 1;
    struct Seen { bool edit, remove, up, down; std::wstring description; };
    std::vector<Seen> seen;
    std::vector<std::wstring> rowsAfterDown;
    run([&](HWND list) {
        const auto look = [&] {
            seen.push_back({enabled(list, IDC_KEY_LIST_EDIT), enabled(list, IDC_KEY_LIST_DELETE),
                            enabled(list, IDC_KEY_LIST_UP), enabled(list, IDC_KEY_LIST_DOWN),
                            windowText(GetDlgItem(list, IDC_KEY_DESCRIPTION))});
        };
        look();
        selectKeyRow(list, 0);
        look();
        selectKeyRow(list, last);
        look();
        selectKeyRow(list, 0);
        pressButton(list, IDC_KEY_LIST_DOWN);  // the first row moves to second place and stays selected
        look();
        rowsAfterDown = keyListRows(list);
        pressButton(list, IDC_KEY_LIST_DELETE);
        look();
        clickButton(list, IDOK);
    });
    ASSERT_EQ(seen.size(), 5u);
    const struct { bool edit, remove, up, down; const wchar_t* description; } rows[] = {
        {false, false, false, false, L""},
        {true, true, false, true, commandDescription(defaults.at(0).command)},
        {true, true, true, false, commandDescription(defaults.at(last).command)},
        {true, true, true, true, commandDescription(defaults.at(0).command)},
        {false, false, false, false, L""},
    };
    for (size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(seen[i].edit, rows[i].edit);
        EXPECT_EQ(seen[i].remove, rows[i].remove);
        EXPECT_EQ(seen[i].up, rows[i].up);
        EXPECT_EQ(seen[i].down, rows[i].down);
        EXPECT_EQ(seen[i].description, rows[i].description);
    }
    ASSERT_GE(rowsAfterDown.size(), 2u);
    EXPECT_EQ(rowsAfterDown[0], L"→|窓変更|UI_ACTIVE_TOGGLE");
    EXPECT_EQ(rowsAfterDown[1], L"←|窓変更|UI_ACTIVE_TOGGLE");
    // The moved row was deleted without a question.
    KeyAssignList expected = defaults;
    expected.removeAt(0);
    EXPECT_EQ(dialog.bindings, expected);
}
