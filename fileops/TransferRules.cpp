#include "fileops/TransferRules.h"
#include "common/PathUtil.h"
#include "common/ResolvedPath.h"
#include <algorithm>

namespace {
uint64_t ticks(const FILETIME& time) { return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime; }
constexpr uint64_t kSecond = 10000000;  // in 100-nanosecond ticks
}  // namespace

bool leftAsNotNewer(const FILETIME& source, const FILETIME& target, bool coarseTimes) {
    if (coarseTimes) return ticks(source) <= ticks(target) + 2 * kSecond;
    return ticks(source) / kSecond < ticks(target) / kSecond;
}

bool hasTwoSecondTimes(const std::wstring& fileSystem) {
    return CompareStringOrdinal(fileSystem.c_str(), static_cast<int>(std::min<size_t>(fileSystem.size(), 3)), L"FAT", 3,
                                TRUE) == CSTR_EQUAL;
}

uint64_t largestFileOn(const std::wstring& fileSystem) {
    return hasTwoSecondTimes(fileSystem) ? 0xFFFFFFFFull : UINT64_MAX;
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
