#include "folders/FolderListDialog.h"
#include "framework/Application.h"
#include "folders/FolderHistory.h"
#include "support/FolderDialogDriver.h"
#include "support/SettingsFixture.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {
class ProfileApp : public Application {
public:
    bool InitInstance() override { return true; }
};

constexpr int kLineButtons[] = {IDOK, IDC_FOLDER_LIST_EDIT, IDC_FOLDER_LIST_DELETE, IDC_FOLDER_LIST_STORE_LEFT,
                                IDC_FOLDER_LIST_STORE_RIGHT};

class FolderListDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The program's settings file is UTF-16; the platform writes new files in the ANSI code page.
        app.setProfilePath(dir / L"Vantor.ini");
        writeUtf16Ini(app.profilePath(), L"");
    }

    std::wstring settingsText() const { return readUtf16File(app.profilePath()); }
    bool allLineButtonsEnabled(HWND dialog) const {
        for (int id : kLineButtons)
            if (!IsWindowEnabled(GetDlgItem(dialog, id))) return false;
        return true;
    }
    bool anyLineButtonEnabled(HWND dialog) const {
        for (int id : kLineButtons)
            if (IsWindowEnabled(GetDlgItem(dialog, id))) return true;
        return false;
    }

    TempFolder dir;
    ProfileApp app;
    const DWORD uiThread = GetCurrentThreadId();
};

HWND listOf(HWND dialog) { return GetDlgItem(dialog, IDC_FOLDER_LIST); }

std::wstring lineAt(HWND dialog, size_t index) {
    const auto lines = listBoxLines(listOf(dialog));
    return index < lines.size() ? lines[index] : L"(no line)";
}

std::wstring leftOrRight(int side) { return side == 0 ? L"C:\\左\\work" : L"D:\\right"; }
}  // namespace

TEST_F(FolderListDialogTest, HistoryLettersTheFirst36FoldersHidesTheSlotButtonsAndReturnsTheChosenLine) {
    FolderHistory history;
    for (int i = 39; i >= 0; --i) history.visit(L"C:\\dir" + std::to_wstring(i));

    std::vector<std::wstring> lines;
    int selectedAtOpen = -2;
    bool slotButtonsVisible = true, clearAllVisible = false;
    DialogAction choose(L"フォルダ一覧", [&](HWND dialog) {
        lines = listBoxLines(listOf(dialog));
        selectedAtOpen = selectedLine(listOf(dialog));
        const auto visible = [&](int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; };
        slotButtonsVisible = visible(IDC_FOLDER_LIST_EDIT) || visible(IDC_FOLDER_LIST_DELETE) ||
                             visible(IDC_FOLDER_LIST_STORE_LEFT) || visible(IDC_FOLDER_LIST_STORE_RIGHT);
        clearAllVisible = visible(IDC_FOLDER_LIST_CLEAR_ALL) && visible(IDOK) && visible(IDCANCEL);
        selectLine(dialog, IDC_FOLDER_LIST, 3);
        clickButton(dialog, IDOK);
    });
    HistoryDialog dialog(history);
    EXPECT_EQ(dialog.chosenIndex, -1);
    EXPECT_EQ(dialog.doModal(nullptr), IDOK);
    ASSERT_TRUE(choose.finish());

    ASSERT_EQ(lines.size(), 40u);
    EXPECT_EQ(lines[0], L"[0] C:\\dir0");
    EXPECT_EQ(lines[9], L"[9] C:\\dir9");
    EXPECT_EQ(lines[10], L"[A] C:\\dir10");
    EXPECT_EQ(lines[35], L"[Z] C:\\dir35");
    EXPECT_EQ(lines[36], L"--- C:\\dir36");
    EXPECT_EQ(lines[39], L"--- C:\\dir39");
    EXPECT_EQ(selectedAtOpen, 0);
    EXPECT_FALSE(slotButtonsVisible);
    EXPECT_TRUE(clearAllVisible);
    EXPECT_EQ(dialog.chosenIndex, 3);
}

TEST_F(FolderListDialogTest, HistoryClearAllAskedWithCancelDefaultEmptiesTheListEvenWhenTheDialogIsCancelled) {
    // The pane rewrites its section when it saves its history; the dialog only empties the list.
    writeUtf16Ini(app.profilePath(), L"[Hist0]\r\nD0=C:\\a\r\n");
    FolderHistory history;
    history.visit(L"C:\\b");
    history.visit(L"C:\\a");

    MessageBoxSeen refused, accepted;
    size_t linesAfterRefusal = 0, linesAfterClearing = 99;
    DialogAction clear(L"フォルダ一覧", [&](HWND dialog) {
        clickButton(dialog, IDC_FOLDER_LIST_CLEAR_ALL);
        refused = answerMessageBox(uiThread, IDCANCEL);
        linesAfterRefusal = listBoxLines(listOf(dialog)).size();
        clickButton(dialog, IDC_FOLDER_LIST_CLEAR_ALL);
        accepted = answerMessageBox(uiThread, IDOK);
        linesAfterClearing = listBoxLines(listOf(dialog)).size();
        clickButton(dialog, IDCANCEL);
    });
    HistoryDialog dialog(history);
    EXPECT_EQ(dialog.doModal(nullptr), IDCANCEL);
    ASSERT_TRUE(clear.finish());

    ASSERT_TRUE(refused.shown && accepted.shown);
    EXPECT_EQ(accepted.text, L"全て削除します\nよろしいですか？");
    EXPECT_TRUE(accepted.cancelIsDefault);
    EXPECT_FALSE(accepted.okIsDefault);
    EXPECT_EQ(linesAfterRefusal, 2u);
    EXPECT_EQ(linesAfterClearing, 0u);
    EXPECT_TRUE(history.entries().empty());
    EXPECT_EQ(dialog.chosenIndex, -1);
    EXPECT_EQ(app.getProfileString(L"Hist0", L"D0"), L"C:\\a");
}

TEST_F(FolderListDialogTest, BookmarkStoreAndDeleteWriteTheSlotAtOnceAndSurviveCancel) {
    NumberedSection bookmarks;
    bookmarks.setSection(L"EntryDir", 50);

    std::wstring line12AfterLeft, line40AfterRight, line12AfterDelete, line12AfterRefusal;
    int selectedAfterStore = -1;
    bool enabledAtOpen = false, enabledWithoutLine = true, enabledWithLine = false;
    MessageBoxSeen refused, accepted;
    DialogAction edit(L"フォルダ一覧", [&](HWND dialog) {
        enabledAtOpen = allLineButtonsEnabled(dialog);
        selectLine(dialog, IDC_FOLDER_LIST, -1);
        enabledWithoutLine = anyLineButtonEnabled(dialog);
        // The slot buttons act on the selected line only: with none, nothing is written.
        pressButton(dialog, IDC_FOLDER_LIST_STORE_LEFT);
        selectLine(dialog, IDC_FOLDER_LIST, 12);
        enabledWithLine = allLineButtonsEnabled(dialog);
        pressButton(dialog, IDC_FOLDER_LIST_STORE_LEFT);
        line12AfterLeft = lineAt(dialog, 12);
        selectedAfterStore = selectedLine(listOf(dialog));
        selectLine(dialog, IDC_FOLDER_LIST, 40);
        pressButton(dialog, IDC_FOLDER_LIST_STORE_RIGHT);
        line40AfterRight = lineAt(dialog, 40);

        selectLine(dialog, IDC_FOLDER_LIST, 12);
        clickButton(dialog, IDC_FOLDER_LIST_DELETE);
        refused = answerMessageBox(uiThread, IDCANCEL);
        line12AfterRefusal = lineAt(dialog, 12);
        clickButton(dialog, IDC_FOLDER_LIST_DELETE);
        accepted = answerMessageBox(uiThread, IDOK);
        line12AfterDelete = lineAt(dialog, 12);
        clickButton(dialog, IDCANCEL);
    });
    BookmarkDialog dialog(bookmarks, &leftOrRight);
    EXPECT_EQ(dialog.doModal(nullptr), IDCANCEL);
    ASSERT_TRUE(edit.finish());

    EXPECT_TRUE(enabledAtOpen);
    EXPECT_FALSE(enabledWithoutLine);
    EXPECT_TRUE(enabledWithLine);
    EXPECT_EQ(line12AfterLeft, L"[C] C:\\左\\work");
    EXPECT_EQ(selectedAfterStore, 12);
    EXPECT_EQ(line40AfterRight, L"--- D:\\right");
    EXPECT_EQ(line12AfterRefusal, L"[C] C:\\左\\work");
    ASSERT_TRUE(refused.shown && accepted.shown);
    EXPECT_EQ(accepted.text, L"削除します");
    EXPECT_TRUE(accepted.okIsDefault);
    EXPECT_EQ(line12AfterDelete, L"[C] ");

    const std::wstring settings = settingsText();
    EXPECT_NE(settings.find(L"[EntryDir]"), std::wstring::npos);
    EXPECT_NE(settings.find(L"D12=\r\n"), std::wstring::npos) << "the deleted slot keeps its key";
    EXPECT_EQ(app.getProfileString(L"EntryDir", L"D40"), L"D:\\right");
    EXPECT_EQ(settings.find(L"D0="), std::wstring::npos);
    EXPECT_EQ(settings.find(L"D-1="), std::wstring::npos);
    EXPECT_EQ(dialog.chosenIndex, -1);
}

TEST_F(FolderListDialogTest, BookmarkClearAllRemovesTheSectionAndShows36LetteredAnd14DashedEmptyLines) {
    writeUtf16Ini(app.profilePath(), L"[EntryDir]\r\nD0=C:\\x\r\nD35=C:\\y\r\n[Other]\r\nD0=keep\r\n");
    NumberedSection bookmarks;
    bookmarks.setSection(L"EntryDir", 50);

    std::vector<std::wstring> before, after;
    MessageBoxSeen accepted;
    DialogAction clear(L"フォルダ一覧", [&](HWND dialog) {
        before = listBoxLines(listOf(dialog));
        clickButton(dialog, IDC_FOLDER_LIST_CLEAR_ALL);
        accepted = answerMessageBox(uiThread, IDOK);
        after = listBoxLines(listOf(dialog));
        clickButton(dialog, IDOK);
    });
    BookmarkDialog dialog(bookmarks, &leftOrRight);
    EXPECT_EQ(dialog.doModal(nullptr), IDOK);
    ASSERT_TRUE(clear.finish());

    ASSERT_EQ(before.size(), 50u);
    EXPECT_EQ(before[0], L"[0] C:\\x");
    EXPECT_EQ(before[35], L"[Z] C:\\y");
    ASSERT_TRUE(accepted.shown);
    ASSERT_EQ(after.size(), 50u);
    const std::wstring letters = L"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (size_t i = 0; i < after.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(after[i], i < 36 ? L"[" + letters.substr(i, 1) + L"] " : std::wstring(L"--- "));
    }
    EXPECT_EQ(settingsText().find(L"EntryDir"), std::wstring::npos);
    EXPECT_EQ(app.getProfileString(L"Other", L"D0"), L"keep");
    EXPECT_EQ(dialog.chosenIndex, -1);  // the refilled list has no selection
}

TEST_F(FolderListDialogTest, BookmarkEditOpensTheFolderInputWithTheSlotAndStoresWhatWasTyped) {
    writeUtf16Ini(app.profilePath(), L"[EntryDir]\r\nD1=C:\\old\r\nD2=C:\\keep\r\n");
    NumberedSection bookmarks;
    bookmarks.setSection(L"EntryDir", 50);

    std::wstring shownInEdit, line1, line2;
    DialogAction edit(L"フォルダ一覧", [&](HWND dialog) {
        selectLine(dialog, IDC_FOLDER_LIST, 1);
        clickButton(dialog, IDC_FOLDER_LIST_EDIT);
        if (HWND input = waitForWindow(uiThread, L"フォルダを開く")) {
            shownInEdit = windowText(GetDlgItem(input, IDC_FOLDER_EDIT));
            SendMessageW(GetDlgItem(input, IDC_FOLDER_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"E:\\new"));
            clickButton(input, IDOK);
            waitUntilGone(input);
        }
        line1 = lineAt(dialog, 1);
        // Cancelled editing leaves the slot alone.
        selectLine(dialog, IDC_FOLDER_LIST, 2);
        clickButton(dialog, IDC_FOLDER_LIST_EDIT);
        if (HWND input = waitForWindow(uiThread, L"フォルダを開く")) {
            SendMessageW(GetDlgItem(input, IDC_FOLDER_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"E:\\lost"));
            clickButton(input, IDCANCEL);
            waitUntilGone(input);
        }
        line2 = lineAt(dialog, 2);
        clickButton(dialog, IDCANCEL);
    });
    BookmarkDialog dialog(bookmarks, &leftOrRight);
    EXPECT_EQ(dialog.doModal(nullptr), IDCANCEL);
    ASSERT_TRUE(edit.finish());

    EXPECT_EQ(shownInEdit, L"C:\\old");
    EXPECT_EQ(line1, L"[1] E:\\new");
    EXPECT_EQ(line2, L"[2] C:\\keep");
    EXPECT_EQ(app.getProfileString(L"EntryDir", L"D1"), L"E:\\new");
    EXPECT_EQ(app.getProfileString(L"EntryDir", L"D2"), L"C:\\keep");
}
