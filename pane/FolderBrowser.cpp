#include "pane/FolderBrowser.h"
#include <shlobj.h>

namespace {
// Moves the browser's selection to the folder given in lpData once its tree is ready.
int CALLBACK preselect(HWND browser, UINT message, LPARAM, LPARAM lpData) {
    if (message == BFFM_INITIALIZED && lpData) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, lpData);
    return 0;
}
}  // namespace

bool browseForFolder(HWND owner, std::wstring& folder) {
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = L"フォルダの選択";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = &preselect;
    info.lParam = folder.empty() ? 0 : reinterpret_cast<LPARAM>(folder.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (!chosen) return false;
    wchar_t path[MAX_PATH] = {};
    const bool isPath = SHGetPathFromIDListW(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    if (!isPath || path[0] == L'\0') return false;
    folder = path;
    return true;
}
