#include "launch/ProgramCommand.h"
#include "common/PathUtil.h"


StoredCommand commandForProgram(const std::wstring& programPath) {
    const size_t slash = programPath.rfind(L'\\');
    const std::wstring folder =
        slash == std::wstring::npos ? std::wstring() : withoutTrailingBackslash(programPath.substr(0, slash + 1));
    const bool blank = programPath.find(L' ') != std::wstring::npos;
    return {folder, (blank ? L"\"" + programPath + L"\"" : programPath) + L" $fqC"};
}

OPENFILENAMEW programPickRequest(HWND owner, wchar_t* path, DWORD capacity) {
    OPENFILENAMEW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.lpstrFilter = L"実行ファイル(*.exe;*.com;*.bat)\0*.exe;*.com;*.bat\0All Files (*.*)\0*.*\0";
    request.lpstrFile = path;
    request.nMaxFile = capacity;
    request.lpstrDefExt = L"exe";
    request.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    return request;
}

std::wstring pickProgram(HWND owner) {
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW request = programPickRequest(owner, path, MAX_PATH);
    return GetOpenFileNameW(&request) ? std::wstring(path) : std::wstring();
}
