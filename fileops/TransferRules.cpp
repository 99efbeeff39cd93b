#include "fileops/TransferRules.h"
#include "common/PathUtil.h"
#include "common/ResolvedPath.h"

namespace {
uint64_t localSeconds(const FILETIME& utc) {
    FILETIME local{};
    if (!FileTimeToLocalFileTime(&utc, &local)) local = utc;
    return ((static_cast<uint64_t>(local.dwHighDateTime) << 32) | local.dwLowDateTime) / 10000000;
}
}  // namespace

bool olderInWholeLocalSeconds(const FILETIME& source, const FILETIME& target) {
    return localSeconds(source) < localSeconds(target);
}

bool entersOwnSubtree(const std::vector<std::wstring>& sources, const std::wstring& destination) {
    for (const std::wstring& source : sources) {
        const DWORD attributes = GetFileAttributesW(literalPath(source).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (isSameOrInsideItem(destination, source)) return true;
    }
    return false;
}

DWORD dropEffectFor(DWORD keyState, const std::vector<std::wstring>& paths, const std::wstring& folder) {
    if (keyState & MK_CONTROL) return DROPEFFECT_COPY;
    if (keyState & MK_SHIFT) return DROPEFFECT_MOVE;
    if (paths.empty()) return DROPEFFECT_NONE;
    const std::wstring from = rootPrefix(paths.front()), to = rootPrefix(folder);
    const bool sameDrive = CompareStringOrdinal(from.c_str(), static_cast<int>(from.size()), to.c_str(),
                                                static_cast<int>(to.size()), TRUE) == CSTR_EQUAL;
    return sameDrive ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}
