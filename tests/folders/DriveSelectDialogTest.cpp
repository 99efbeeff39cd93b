#include "folders/DriveSelectDialog.h"
#include "support/FolderDialogDriver.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <bit>
#include <cwctype>

namespace {
struct DriveDialogSeen {
    std::vector<std::wstring> lines;
    int selected = -2;
    std::wstring edit;
    bool openAfterEmptyOk = false;
};

HWND listOf(HWND dialog) { return GetDlgItem(dialog, IDC_DRIVE_LIST); }
std::wstring editOf(HWND dialog) { return windowText(GetDlgItem(dialog, IDC_DRIVE_EDIT)); }

// Reads what the dialog shows at opening, then presses OK with the edit emptied, which must not end it.
DriveDialogSeen lookAndTryEmptyOk(HWND dialog) {
    DriveDialogSeen seen;
    seen.lines = listBoxLines(listOf(dialog));
    seen.selected = selectedLine(listOf(dialog));
    seen.edit = editOf(dialog);
    SendMessageW(GetDlgItem(dialog, IDC_DRIVE_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    pressButton(dialog, IDOK);
    seen.openAfterEmptyOk = IsWindow(dialog) && IsWindowVisible(dialog);
    return seen;
}

int lineStartingWith(const std::vector<std::wstring>& lines, const std::wstring& start) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].starts_with(start)) return static_cast<int>(i);
    return -1;
}

// Every line is "<letter>: <type>" in the given case, in drive order, one per existing drive.
void expectDriveLines(const std::vector<std::wstring>& lines, bool upper) {
    EXPECT_EQ(lines.size(), static_cast<size_t>(std::popcount(GetLogicalDrives() & 0x3FFFFFFu)));
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_GE(lines[i].size(), 4u);
        EXPECT_TRUE(upper ? std::iswupper(lines[i][0]) : std::iswlower(lines[i][0]));
        EXPECT_EQ(lines[i].substr(1, 2), L": ");
        if (i > 0) {
            EXPECT_LT(std::towupper(lines[i - 1][0]), std::towupper(lines[i][0]));
        }
    }
}
}  // namespace

TEST(DriveSelectDialog, ListsTheDrivesSelectsTheCurrentOneAndOkTakesTheLetterOfTheChosenLine) {
    DriveDialogSeen seen;
    std::wstring editAfterPick;
    int zLine = -1;
    DialogAction pick(L"ドライブ選択", [&](HWND dialog) {
        seen = lookAndTryEmptyOk(dialog);
        zLine = lineStartingWith(seen.lines, L"Z:");
        selectLine(dialog, IDC_DRIVE_LIST, zLine);
        editAfterPick = editOf(dialog);
        clickButton(dialog, IDOK);
    });
    DriveSelectDialog dialog;
    EXPECT_EQ(dialog.chosenLetter, L"C");
    EXPECT_EQ(dialog.doModal(nullptr), IDOK);
    ASSERT_TRUE(pick.finish());

    expectDriveLines(seen.lines, true);
    const int cLine = lineStartingWith(seen.lines, L"C: ");
    ASSERT_GE(cLine, 0);
    EXPECT_EQ(seen.lines[static_cast<size_t>(cLine)], L"C: FIXED");
    EXPECT_EQ(seen.selected, cLine);
    EXPECT_EQ(seen.edit, L"C");
    EXPECT_TRUE(seen.openAfterEmptyOk);
    ASSERT_GE(zLine, 0) << "Wine maps Z: to the Unix root";
    EXPECT_EQ(editAfterPick, L"Z");
    EXPECT_EQ(dialog.chosenLetter, L"Z");
}

TEST(DriveSelectDialog, LowerCaseCurrentDriveShowsLowerCaseLetters) {
    DriveDialogSeen seen;
    DialogAction look(L"ドライブ選択", [&](HWND dialog) {
        seen.lines = listBoxLines(listOf(dialog));
        seen.selected = selectedLine(listOf(dialog));
        seen.edit = editOf(dialog);
        clickButton(dialog, IDOK);
    });
    DriveSelectDialog dialog;
    dialog.chosenLetter = L"c";
    EXPECT_EQ(dialog.doModal(nullptr), IDOK);
    ASSERT_TRUE(look.finish());

    expectDriveLines(seen.lines, false);
    ASSERT_EQ(seen.edit.size(), 1u);
    const int cLine = lineStartingWith(seen.lines, L"c: ");
    ASSERT_GE(cLine, 0);
    EXPECT_EQ(seen.selected, cLine);
    // OK hands back the edit's letter as the edit shows it (its style shows letters in upper case).
    EXPECT_EQ(std::towupper(seen.edit[0]), L'C');
    EXPECT_EQ(dialog.chosenLetter, seen.edit);
}

TEST(DriveSelectDialog, NetworkFolderSelectsNothingAndEmptyOkKeepsTheDialogOpen) {
    DriveDialogSeen seen;
    DialogAction look(L"ドライブ選択", [&](HWND dialog) {
        seen = lookAndTryEmptyOk(dialog);
        clickButton(dialog, IDCANCEL);
    });
    DriveSelectDialog dialog;
    dialog.chosenLetter = L"\\";
    EXPECT_EQ(dialog.doModal(nullptr), IDCANCEL);
    ASSERT_TRUE(look.finish());

    expectDriveLines(seen.lines, false);
    EXPECT_EQ(seen.selected, LB_ERR);
    EXPECT_EQ(seen.edit, L"");
    EXPECT_TRUE(seen.openAfterEmptyOk);
    EXPECT_EQ(dialog.chosenLetter, L"\\");
}
