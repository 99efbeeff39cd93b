// The key dialogs on their real windows: a helper thread works the list and the assignment dialog
// as the user would and answers the overwrite question.
#include "KeySettingsFile.h"
#include "ModifierBytes.h"
#include "keys/KeyListDialog.h"
#include "support/KeyDialogDriver.h"
#include <gtest/gtest.h>

namespace {
class KeyDialogs : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        dialog.bindings = defaults;
    }
    // Runs the list dialog while `action` works it from the helper thread.
    INT_PTR run(std::function<void(HWND)> action) {
        DialogAction act(L"キー割り当て一覧", std::move(action));
        const INT_PTR result = dialog.doModal(nullptr);
        EXPECT_TRUE(act.finish());
        return result;
    }

    KeyListDialog dialog;
    const KeyAssignList defaults = defaultBindings();
    const DWORD uiThread = GetCurrentThreadId();
};
}  // namespace

TEST_F(KeyDialogs, AddingATakenKeyAsksAndPutsTheNewBindingAtTheEnd) {
    std::wstring noKey, noCommand, question;
    const INT_PTR result = run([&](HWND list) {
        HWND assign = openAssignDialog(uiThread, list, IDC_KEY_LIST_ADD);
        ASSERT_TRUE(assign);
        clickButton(assign, IDOK);
        noKey = answerMessageBox(uiThread, IDOK).text;
        chooseKeyAndCommand(assign, 'C', 0);
        clickButton(assign, IDOK);
        noCommand = answerMessageBox(uiThread, IDOK).text;
        SendMessageW(GetDlgItem(assign, IDC_KEY_CTRL), BM_SETCHECK, BST_CHECKED, 0);
        chooseKeyAndCommand(assign, 'C', ID_FILE_VIEW);
        clickButton(assign, IDOK);
        question = answerMessageBox(uiThread, IDOK).text;
        waitUntilGone(assign);
        clickButton(list, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(noKey, L"キーが選択されていません");
    EXPECT_EQ(noCommand, L"機能が選択されていません");
    EXPECT_EQ(question, L"Ctrl+C は設定済です\n上書きしますか？");
    KeyAssignList expected = defaults;
    expected.removeAt(defaults.find(kCtrl, 'C'));
    expected.append({kCtrl, 'C', ID_FILE_VIEW, L"", L""});
    EXPECT_EQ(dialog.bindings, expected);
}

TEST_F(KeyDialogs, EditingAsksOnlyWhenAnotherEntryHoldsTheNewKeyAndKeepsTheEditedPlace) {
    ASSERT_EQ(defaults.at(0).key, VK_LEFT);
    ASSERT_EQ(defaults.at(1).key, VK_RIGHT);
    std::wstring captionOfF5 = L"?", question;
    bool askedForF5 = true;
    run([&](HWND list) {
        selectKeyRow(list, defaults.find(kVk, VK_F5));
        HWND assign = openAssignDialog(uiThread, list, IDC_KEY_LIST_EDIT);
        ASSERT_TRUE(assign);
        captionOfF5 = windowText(GetDlgItem(assign, IDC_KEY_CAPTION));
        clickButton(assign, IDOK);
        askedForF5 = waitForWindow(uiThread, L"Vantor", 300) != nullptr;
        waitUntilGone(assign);

        selectKeyRow(list, 0);
        assign = openAssignDialog(uiThread, list, IDC_KEY_LIST_EDIT);
        ASSERT_TRUE(assign);
        chooseKeyAndCommand(assign, VK_RIGHT, ID_MARK_ALL);
        clickButton(assign, IDOK);
        question = answerMessageBox(uiThread, IDOK).text;
        waitUntilGone(assign);
        clickButton(list, IDOK);
    });
    EXPECT_EQ(captionOfF5, L"");
    EXPECT_FALSE(askedForF5);
    EXPECT_EQ(question, L"→ は設定済です\n上書きしますか？");
    KeyAssignList expected = defaults;
    expected.at(0) = {kVk, VK_RIGHT, ID_MARK_ALL, L"", L""};
    expected.removeAt(1);
    EXPECT_EQ(dialog.bindings, expected);
}

TEST_F(KeyDialogs, ButtonsAndDescriptionFollowTheSelection) {
    const int last = defaults.count() - 1;
    std::vector<std::wstring> seen;
    run([&](HWND list) {
        const auto look = [&] {
            std::wstring state;
            for (int id : {IDC_KEY_LIST_EDIT, IDC_KEY_LIST_DELETE, IDC_KEY_LIST_UP, IDC_KEY_LIST_DOWN})
                state += IsWindowEnabled(GetDlgItem(list, id)) ? L'1' : L'0';
            seen.push_back(state + L" " + windowText(GetDlgItem(list, IDC_KEY_DESCRIPTION)));
        };
        look();
        selectKeyRow(list, last);
        look();
        selectKeyRow(list, 0);
        look();
        pressButton(list, IDC_KEY_LIST_DOWN);  // the row moves down and stays selected
        look();
        pressButton(list, IDC_KEY_LIST_DELETE);
        look();
        clickButton(list, IDOK);
    });
    const std::wstring toggle = commandDescription(ID_UI_ACTIVE_TOGGLE);
    const std::vector<std::wstring> expected = {L"0000 ", L"1110 " + std::wstring(commandDescription(ID_APP_ABOUT)),
                                                L"1101 " + toggle, L"1111 " + toggle, L"0000 "};
    EXPECT_EQ(seen, expected);
    KeyAssignList rest = defaults;
    rest.removeAt(0);  // the row moved to second place was deleted without a question
    EXPECT_EQ(dialog.bindings, rest);
}
