#include "launch/ShellVerb.h"
#include <shellapi.h>

void runShellVerb(HWND owner, const wchar_t* verb, const std::wstring& path, const std::wstring& folder) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // Verbs such as "properties" come from the item's context menu rather than its file type.
    info.fMask = wcscmp(verb, L"open") == 0 ? 0 : SEE_MASK_INVOKEIDLIST;
    info.hwnd = owner;
    info.lpVerb = verb;
    info.lpFile = path.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&info);
}
