// The key dialog run from the main window: only OK reaches the program's table, its settings file,
// its accelerators and its menus; the button bar follows at the next change of the modifier keys.
#include "support/KeyDialogDriver.h"
#include "support/RunningProgram.h"
#include "support/SettingsFixture.h"
#include <gtest/gtest.h>

namespace {
class KeySetup : public testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* name : {L"a.txt", L"b.txt"}) dir.writeFile(name, "x");
        ASSERT_TRUE(program.start(dir.path()));
    }
    KeyAssignTable& keys() { return program.app().keyTable(); }
    HWND barButton(int index) { return GetDlgItem(program.frame().buttonBar().hwnd(), IDC_BUTTON_F1 + index); }

    TempFolder dir;
    RunningProgram program;
    const DWORD uiThread = GetCurrentThreadId();
};
}  // namespace

TEST_F(KeySetup, OkStoresTheBindingsWithCaptionsForFunctionKeysOnlyAndTheKeysWorkAtOnce) {
    DialogAction act(L"キー割り当て一覧", [&](HWND list) {
        addBinding(uiThread, list, VK_F7, ID_VIEW_RENEW);
        addBinding(uiThread, list, 'G', ID_MARK_ALL);
        clickButton(list, IDOK);
    });
    program.command(ID_OPT_SETUP_KEY);
    ASSERT_TRUE(act.finish());

    // Saved from the table: the caption is part of the entry's name, and G has none.
    EXPECT_EQ(program.setting(L"Key", L"F7.更新"), L"VIEW_RENEW");
    EXPECT_EQ(program.setting(L"Key", L"G"), L"MARK_ALL");
    program.pressKey('G');  // the accelerators were rebuilt
    EXPECT_EQ(program.pane(0).listing().list().markedCount(), 2);

    // The bar keeps its labels until the modifiers change.
    EXPECT_EQ(program.frame().buttonBar().label(6), L"×");
    program.pressKey(VK_SHIFT, RunningProgram::kShift);
    program.pressKey(VK_SHIFT);
    EXPECT_EQ(program.frame().buttonBar().label(6), L"更新");
    EXPECT_TRUE(IsWindowEnabled(barButton(6)));
}

TEST_F(KeySetup, CancelAfterEditsLeavesTheTableAndTheSettingsFileAsTheyWere) {
    const KeyAssignList before = keys();
    const std::wstring fileBefore = readUtf16File(program.settingsPath());
    DialogAction act(L"キー割り当て一覧", [&](HWND list) {
        addBinding(uiThread, list, VK_F7, ID_VIEW_RENEW);
        selectKeyRow(list, 0);
        pressButton(list, IDC_KEY_LIST_DELETE);
        selectKeyRow(list, 3);
        pressButton(list, IDC_KEY_LIST_UP);
        clickButton(list, IDCANCEL);
    });
    program.command(ID_OPT_SETUP_KEY);
    ASSERT_TRUE(act.finish());
    EXPECT_EQ(static_cast<const KeyAssignList&>(keys()), before);
    EXPECT_EQ(readUtf16File(program.settingsPath()), fileBefore);
}
