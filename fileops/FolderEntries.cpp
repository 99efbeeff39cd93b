#include "fileops/FolderEntries.h"
#include "common/PathUtil.h"
#include "framework/Handles.h"

DWORD forEachEntry(const std::wstring& folder, const std::function<bool(const WIN32_FIND_DATAW&)>& each) {
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileExW(literalPath(ensureTrailingBackslash(folder) + L"*").c_str(), FindExInfoBasic,
                                     &data, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        // Only the root of a drive has no "." to list, so only an empty root lists nothing at all;
        // any other folder that lists nothing could not be listed (Wine says so of one it may open
        // but not look into).
        const DWORD error = GetLastError();
        const bool emptyRoot = (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) && !parentFolder(folder);
        return emptyRoot ? 0 : error;
    }
    do {
        const wchar_t* name = data.cFileName;
        if (name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0))) continue;
        if (!each(data)) return 0;
    } while (FindNextFileW(find.get(), &data));
    const DWORD error = GetLastError();
    return error == ERROR_NO_MORE_FILES ? 0 : error;
}
