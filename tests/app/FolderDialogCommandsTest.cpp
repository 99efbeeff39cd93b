// The navigation commands that ask the user: drive selection, direct input, history and bookmarks,
// opened from the running frame by key, command or double-click.
#include "pane/PaneGeometry.h"
#include "support/FolderDialogDriver.h"
#include "support/RunningProgram.h"
#include "support/SettingsFixture.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {
void setEditText(HWND dialog, int id, const std::wstring& text) {
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

class FolderDialogCommands : public testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* name : {L"ONE", L"TWO", L"THREE"}) dir.makeFolder(name);
        ASSERT_TRUE(program.start(dir.path()));
    }
    CVantorView& left() { return program.pane(0); }

    TempFolder dir;
    RunningProgram program;
};
}  // namespace

TEST_F(FolderDialogCommands, TheDriveKeyOpensTheDriveDialogAndOkGoesToTheTypedDrive) {
    std::vector<std::wstring> lines;
    std::wstring shownLetter;
    DialogAction choose(L"ドライブ選択", [&](HWND dialog) {
        lines = listBoxLines(GetDlgItem(dialog, IDC_DRIVE_LIST));
        shownLetter = windowText(GetDlgItem(dialog, IDC_DRIVE_EDIT));
        setEditText(dialog, IDC_DRIVE_EDIT, L"z");
        clickButton(dialog, IDOK);
    });
    program.pressKey('L');
    ASSERT_TRUE(choose.finish());
    EXPECT_EQ(shownLetter, L"C");  // the pane's drive
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"C: FIXED"), lines.end());
    EXPECT_EQ(towupper(left().folder()[0]), L'Z');
    EXPECT_EQ(left().folder().size(), 3u);  // the root of a drive never shown before
}

TEST_F(FolderDialogCommands, DoubleClickOnTheHeaderAsksForAFolderAndCancelChangesNothing) {
    std::wstring offered;
    DialogAction type(L"フォルダを開く", [&](HWND dialog) {
        offered = windowText(GetDlgItem(dialog, IDC_FOLDER_EDIT));
        setEditText(dialog, IDC_FOLDER_EDIT, dir / L"TWO");
        clickButton(dialog, IDOK);
    });
    SendMessageW(left().hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 3));
    program.settle();
    ASSERT_TRUE(type.finish());
    EXPECT_EQ(offered, dir.path());
    EXPECT_EQ(left().folder(), dir / L"TWO");

    DialogAction cancel(L"フォルダを開く", [&](HWND dialog) {
        setEditText(dialog, IDC_FOLDER_EDIT, dir / L"ONE");
        clickButton(dialog, IDCANCEL);
    });
    program.command(ID_DIR_DIRECT);
    ASSERT_TRUE(cancel.finish());
    EXPECT_EQ(left().folder(), dir / L"TWO");
}

TEST_F(FolderDialogCommands, AChosenHistoryLineIsEnteredAndComesBackOnTopLabelledZero) {
    for (const wchar_t* name : {L"ONE", L"TWO", L"THREE"}) {
        left().changeFolder(dir / name, false);
        program.settle();
    }
   program.settle();
    DialogAction pick(L"フォルダ一覧", [&](HWND dialog) {
        selectLine(dialog, IDC_FOLDER_LIST, 2);
        clickButton(dialog, IDOK);
    });
    program.command(ID_DIR_HISTORY);
    ASSERT_TRUE(pick.finish());
    EXPECT_EQ(left().folder(), dir / L"ONE");

    std::vector<std::wstring> lines;
    DialogAction look(L"フォルダ一覧", [&](HWND dialog) {
        lines = listBoxLines(GetDlgItem(dialog, IDC_FOLDER_LIST));
        clickButton(dialog, IDCANCEL);
    });
    program.command(ID_DIR_HISTORY);
    ASSERT_TRUE(look.finish());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"[0] " + dir / L"ONE");
    EXPECT_EQ(lines[1], L"[1] " + dir / L"THREE");
}

TEST_F(FolderDialogCommands, BookmarksStoreTheLeftFolderAndTakeThePaneThere) {
    left().changeFolder(dir / L"THREE", false);
    program.settle();
    DialogAction store(L"フォルダ一覧", [&](HWND dialog) {
        selectLine(dialog, IDC_FOLDER_LIST, 4);
        pressButton(dialog, IDC_FOLDER_LIST_STORE_LEFT);
        clickButton(dialog, IDCANCEL);
    });
    program.command(ID_DIR_BOOKMARK);
    ASSERT_TRUE(store.finish());
    EXPECT_EQ(program.setting(L"EntryDir", L"D4"), dir / L"THREE");

    left().changeFolder(dir / L"ONE", false);
    program.settle();
    DialogAction go(L"フォルダ一覧", [&](HWND dialog) {
        selectLine(dialog, IDC_FOLDER_LIST, 4);
        clickButton(dialog, IDOK);
    });
    program.command(ID_DIR_BOOKMARK);
    ASSERT_TRUE(go.finish());
    EXPECT_EQ(left().folder(), dir / L"THREE");

    DialogAction empty(L"フォルダ一覧", [&](HWND dialog) {
        selectLine(dialog, IDC_FOLDER_LIST, 5);  // an empty slot goes nowhere
        clickButton(dialog, IDOK);
    });
    program.command(ID_DIR_BOOKMARK);
    ASSERT_TRUE(empty.finish());
    EXPECT_EQ(left().folder(), dir / L"THREE");
}
