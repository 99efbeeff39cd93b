#include "pane/FolderInputDialog.h"
#include "pane/FolderBrowser.h"
#include "support/FolderDialogDriver.h"
#include "support/TempFolder.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <objbase.h>

namespace {
// The system's folder browser changes its caption with the locale.
constexpr wchar_t kBrowserTitles[] = L"Browse for Folder|フォルダーの参照|フォルダの参照";

struct OleScope {
    OleScope() { OleInitialize(nullptr); }
    ~OleScope() { OleUninitialize(); }
};

HWND editOf(HWND dialog) { return GetDlgItem(dialog, IDC_FOLDER_EDIT); }
void typeInto(HWND edit, const std::wstring& text) {
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// The name of the item selected in the browser's folder tree.
std::wstring selectedTreeItem(HWND browser) {
    HWND tree = FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
    if (!tree) return {};
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item) return {};
    wchar_t text[MAX_PATH] = {};
    TVITEMW request{};
    request.mask = TVIF_TEXT;
    request.hItem = item;
    request.pszText = text;
    request.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&request));
    return text;
}

// Answers the folder browser with `button`, once the tree shows `selected` as its selection when
// one is given (the browser selects the start folder after it has appeared, and filling its tree
// of drives can take seconds under Wine); true when it appeared and closed.
bool answerBrowser(DWORD uiThread, int button, const std::wstring& selected = {}) {
    HWND browser = waitForWindow(uiThread, kBrowserTitles);
    if (!browser) return false;
    for (int waited = 0; !selected.empty() && selectedTreeItem(browser) != selected && waited < 20000; waited += 20)
        Sleep(20);
    clickButton(browser, button);
    return waitUntilGone(browser);
}
}  // namespace

TEST(FolderInputDialog, ShowsTheFolderAndOkTakesTheTextAsTypedEvenEmpty) {
    std::wstring shown;
    DialogAction type(L"フォルダを開く", [&](HWND dialog) {
        shown = windowText(editOf(dialog));
        typeInto(editOf(dialog), L"");
        clickButton(dialog, IDOK);
    });
    FolderInputDialog input;
    input.folder = L"C:\\WORK\\フォルダ";
    EXPECT_EQ(input.doModal(nullptr), IDOK);
    ASSERT_TRUE(type.finish());
    EXPECT_EQ(shown, L"C:\\WORK\\フォルダ");
    EXPECT_EQ(input.folder, L"");
}

TEST(FolderInputDialog, BrowseStartsAtTheTypedFolderAndReplacesTheTextOnlyWhenOneIsChosen) {
    OleScope ole;
    TempFolder dir;
    dir.makeFolder(L"chosen");
    const std::wstring chosen = dir / L"chosen";
    const DWORD uiThread = GetCurrentThreadId();

    bool accepted = false, cancelled = false;
    std::wstring afterAccept, afterCancel;
    DialogAction browse(L"フォルダを開く", [&](HWND dialog) {
        typeInto(editOf(dialog), chosen);
        clickButton(dialog, IDC_FOLDER_BROWSE);
        accepted = answerBrowser(uiThread, IDOK, L"chosen");
        afterAccept = windowText(editOf(dialog));

        typeInto(editOf(dialog), L"typed");
        clickButton(dialog, IDC_FOLDER_BROWSE);
        cancelled = answerBrowser(uiThread, IDCANCEL);
        afterCancel = windowText(editOf(dialog));
        clickButton(dialog, IDCANCEL);
    });
    FolderInputDialog input;
    input.folder = L"C:\\start";
    EXPECT_EQ(input.doModal(nullptr), IDCANCEL);
    ASSERT_TRUE(browse.finish());

    ASSERT_TRUE(accepted && cancelled);
    // The preselected folder is what OK in the browser returns.
    EXPECT_EQ(_wcsicmp(afterAccept.c_str(), chosen.c_str()), 0) << std::string(afterAccept.begin(), afterAccept.end());
    EXPECT_EQ(afterCancel, L"typed");
}

TEST(FolderBrowser, CancelLeavesTheTextAndReportsFailure) {
    OleScope ole;
    const DWORD uiThread = GetCurrentThreadId();
    bool answered = false;
    std::thread cancel([&] { answered = answerBrowser(uiThread, IDCANCEL); });
    std::wstring folder = L"C:\\windows";
    EXPECT_FALSE(browseForFolder(nullptr, folder));
    cancel.join();
    ASSERT_TRUE(answered);
    EXPECT_EQ(folder, L"C:\\windows");
}
