#include "common/ReparseTag.h"
#include "common/PathUtil.h"
#include "framework/Handles.h"

bool isLinkTag(DWORD tag) { return IsReparseTagNameSurrogate(tag) != 0; }

bool marksALink(DWORD attributes, DWORD tag) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) && isLinkTag(tag); }

bool listedAsLink(DWORD attributes, DWORD tag) {
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) && (tag == 0 || isLinkTag(tag));
}

DWORD reparseTagOf(const std::wstring& path) {
    // The folder's own record of the item: no open of the item, so no filter is asked for its data.
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileExW(literalPath(withoutTrailingBackslash(path)).c_str(), FindExInfoBasic, &data,
                                     FindExSearchNameMatch, nullptr, 0));
    if (!find || !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return 0;
    return data.dwReserved0;
}

DWORD reparseTagFor(const std::wstring& path, DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? reparseTagOf(path) : 0;
}
