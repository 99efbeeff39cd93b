#include "folders/FolderBrowser.h"
#include <shlobj.h>
#include <cwchar>

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
    // Room for the longest path the platform has, so a deep folder is not refused for its length;
    // the call fails rather than cut a path that does not fit.
    std::wstring path(32768, L'\0');
    const bool isPath = SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT);
    CoTaskMemFree(chosen);
    path.resize(wcsnlen(path.c_str(), path.size()));
    if (!isPath || path.empty()) return false;
    folder = path;
    return true;
}
