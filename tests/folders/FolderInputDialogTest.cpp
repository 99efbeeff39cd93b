#include "folders/FolderInputDialog.h"
#include "folders/FolderBrowser.h"
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

std::string utf8(const std::wstring& text) {
    if (text.empty()) return {};
    std::string bytes(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                              nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                        static_cast<int>(bytes.size()), nullptr, nullptr);
    return bytes;
}

// Reads every folder from the drive root down to `folder`. The folder browser finds its start
// folder by comparing item ids that hold each folder's times, and its own reading of the start
// folder's path renews the access time of a folder that changed since it was last read (as the
// test's own folders just did): the walk then misses that folder and selects nothing. Read first,
// no folder on the way has an access time left to renew.
void settleAccessTimes(const std::wstring& folder) {
    for (size_t end = folder.find(L'\\'); end != std::wstring::npos; end = folder.find(L'\\', end + 1)) {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((folder.substr(0, end + 1) + L"*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) continue;
        while (FindNextFileW(find, &data)) {
        }
        FindClose(find);
    }
}

// Answers the folder browser with `button`, once its tree shows `selected` as its selection when
// one is given (the browser selects its start folder after it has appeared, and filling its tree
// can take seconds under Wine). Empty when all that happened and the browser closed; otherwise
// what was waited for in vain, and a browser that never selected `selected` is cancelled.
std::string answerBrowser(DWORD uiThread, int button, const std::wstring& selected = {}) {
    HWND browser = waitForWindow(uiThread, kBrowserTitles);
    if (!browser) return "the folder browser did not appear within 5 s";
    std::wstring shown = selectedTreeItem(browser);
    for (int waited = 0; !selected.empty() && shown != selected && waited < 20000; waited += 20) {
        Sleep(20);
        shown = selectedTreeItem(browser);
    }
    std::string problem;
    if (!selected.empty() && shown != selected) {
        problem = "the folder browser did not select its start folder \"" + utf8(selected) +
                  "\" within 20 s; its selection was \"" + utf8(shown) + "\"";
        button = IDCANCEL;
    }
    clickButton(browser, button);
    if (!waitUntilGone(browser)) problem += (problem.empty() ? "" : "; ") + std::string("the browser did not close");
    return problem;
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

    std::string acceptProblem, cancelProblem;
    std::wstring afterAccept, afterCancel;
    DialogAction browse(L"フォルダを開く", [&](HWND dialog) {
        typeInto(editOf(dialog), chosen);
        settleAccessTimes(chosen);
        clickButton(dialog, IDC_FOLDER_BROWSE);
        acceptProblem = answerBrowser(uiThread, IDOK, L"chosen");
        afterAccept = windowText(editOf(dialog));

        typeInto(editOf(dialog), L"typed");
        clickButton(dialog, IDC_FOLDER_BROWSE);
        cancelProblem = answerBrowser(uiThread, IDCANCEL);
        afterCancel = windowText(editOf(dialog));
        clickButton(dialog, IDCANCEL);
    });
    FolderInputDialog input;
    input.folder = L"C:\\start";
    EXPECT_EQ(input.doModal(nullptr), IDCANCEL);
    ASSERT_TRUE(browse.finish());

    ASSERT_EQ(acceptProblem, "");
    ASSERT_EQ(cancelProblem, "");
    // The preselected folder is what OK in the browser returns.
    EXPECT_EQ(_wcsicmp(afterAccept.c_str(), chosen.c_str()), 0) << std::string(afterAccept.begin(), afterAccept.end());
    EXPECT_EQ(afterCancel, L"typed");
}

TEST(FolderBrowser, CancelLeavesTheTextAndReportsFailure) {
    OleScope ole;
    const DWORD uiThread = GetCurrentThreadId();
    std::string problem;
    std::thread cancel([&] { problem = answerBrowser(uiThread, IDCANCEL); });
    std::wstring folder = L"C:\\windows";
    EXPECT_FALSE(browseForFolder(nullptr, folder));
    cancel.join();
    ASSERT_EQ(problem, "");
    EXPECT_EQ(folder, L"C:\\windows");
}
