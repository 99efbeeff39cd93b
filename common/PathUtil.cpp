#include "common/PathUtil.h"
#include <windows.h>

std::wstring ensureTrailingBackslash(std::wstring path) {
    // A UTF-16 code unit equal to '\' is always the whole character: surrogates never take that value.
    if (path.empty() || path.back() != L'\\') path.push_back(L'\\');
    return path;
}

std::wstring rootPrefix(const std::wstring& path) {
    if (path.starts_with(L"\\\\")) {
        const size_t serverEnd = path.find(L'\\', 2);
        if (serverEnd == std::wstring::npos) return path;
        return path.substr(0, path.find(L'\\', serverEnd + 1));
    }
    if (path.starts_with(L"\\")) return L"";
    if (path.size() < 2) return path;
    return path.substr(0, path.find(L'\\', 1));
}

std::optional<SplitPath> splitPath(const std::wstring& path) {
    const size_t last = path.rfind(L'\\');
    if (last == std::wstring::npos) return std::nullopt;
    return SplitPath{path.substr(0, last + 1), path.substr(last + 1)};
}

bool deleteItem(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly && !SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY)) return false;
    const bool removed = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveDirectoryW(path.c_str()) != FALSE
                                                                 : DeleteFileW(path.c_str()) != FALSE;
    // A protected item that could not be removed stays protected.
    if (!removed && readOnly) SetFileAttributesW(path.c_str(), attributes);
    return removed;
}

std::wstring currentDirectory() {
    wchar_t current[520] = {};
    const DWORD length = GetCurrentDirectoryW(520, current);
    return length > 0 && length < 520 ? std::wstring(current, length) : std::wstring();
}
