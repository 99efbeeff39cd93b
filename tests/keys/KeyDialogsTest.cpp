// The key dialogs on their real windows: a helper thread works the list and the assignment dialog
// as the user would and answers the overwrite question.
#include "KeySettingsFile.h"
#include "ModifierBytes.h"
#include "keys/KeyListDialog.h"
#include "framework/Handles.h"
#include "support/KeyDialogDriver.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

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

namespace {
// Whether a description static shows all of its text: the height the text needs at the static's
// width, in the static's font, against the height it has.
bool showsAllLines(HWND field) {
    const std::wstring text = windowText(field);
    RECT client{};
    GetClientRect(field, &client);
    ClientDc dc(field);
    SelectGuard useFont(dc.get(), reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0)));
    RECT needed{0, 0, client.right, 0};
    DrawTextW(dc.get(), text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    return !text.empty() && needed.bottom <= client.bottom;
}
}  // namespace

TEST_F(KeyDialogs, DescriptionFieldsShowEveryLineOfTheLongestDescriptions) {
    std::vector<std::string> cut;
    run([&](HWND list) {
        for (unsigned command : {ID_DIR_DIRECT, ID_VIEW_WILDCARD, ID_MACRO}) {
            selectKeyRow(list, defaults.find(kVk, command == ID_DIR_DIRECT ? 'I' : command == ID_MACRO ? VK_F3 : 'Y'));
            if (!showsAllLines(GetDlgItem(list, IDC_KEY_DESCRIPTION)))
                cut.push_back(std::string("list ") + std::to_string(command));
            HWND assign = openAssignDialog(uiThread, list, IDC_KEY_LIST_ADD);
            ASSERT_TRUE(assign);
            chooseKeyAndCommand(assign, 0, command);
            if (!showsAllLines(GetDlgItem(assign, IDC_KEY_DESCRIPTION)))
                cut.push_back(std::string("assign ") + std::to_string(command));
            clickButton(assign, IDCANCEL);
            waitUntilGone(assign);
        }
        clickButton(list, IDCANCEL);
    });
    EXPECT_EQ(cut, std::vector<std::string>{});
}

TEST_F(KeyDialogs, AButtonDisabledUnderTheFocusHandsTheFocusToTheList) {
    const int last = defaults.count() - 1;
    const struct { const char* name; int row; int button; } rows[] = {
        {"down onto the last row", last - 1, IDC_KEY_LIST_DOWN},
        {"up onto the first row", 1, IDC_KEY_LIST_UP},
        {"delete", last, IDC_KEY_LIST_DELETE},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        dialog.bindings = defaults;
        HWND focus = nullptr, listControl = nullptr;
        run([&](HWND list) {
            listControl = GetDlgItem(list, IDC_KEY_LIST);
            selectKeyRow(list, r.row);
            SendMessageW(list, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(list, r.button)), TRUE);
            clickButton(list, r.button);
            for (int waited = 0; waited < 10000 && focusOf(uiThread) != listControl; waited += 20) Sleep(20);
            focus = focusOf(uiThread);
            clickButton(list, IDCANCEL);
        });
        EXPECT_EQ(focus, listControl);
    }
}

TEST_F(KeyDialogs, ARowTheWorkingCopyDoesNotHoldHasNoDescription) {
    // One entry fewer than the defaults: the list gets a row beyond the copy's end.
    dialog.bindings.removeAt(dialog.bindings.count() - 1);
    std::wstring description = L"?";
    bool editEnabled = true;
    run([&](HWND list) {
        HWND control = GetDlgItem(list, IDC_KEY_LIST);
        LVITEMW extra{};
        extra.mask = LVIF_TEXT;
        extra.iItem = dialog.bindings.count();
        extra.pszText = const_cast<wchar_t*>(L"");
        SendMessageW(control, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&extra));
        selectKeyRow(list, dialog.bindings.count());
        description = windowText(GetDlgItem(list, IDC_KEY_DESCRIPTION));
        editEnabled = IsWindowEnabled(GetDlgItem(list, IDC_KEY_LIST_EDIT)) != FALSE;
        clickButton(list, IDCANCEL);
    });
    EXPECT_EQ(description, L"");
    EXPECT_FALSE(editEnabled);
}
