#include "common/PathUtil.h"
#include "common/ItemHandle.h"
#include <windows.h>
#include <string_view>

namespace {
constexpr wchar_t kLiteralPrefix[] = L"\\\\?\\";
constexpr wchar_t kLiteralUncPrefix[] = L"\\\\?\\UNC\\";

bool isDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// The literal form skips the platform's normalising, so a path that still needs it ("/" for "\\",
// "." or ".." steps, doubled separators; as another program may hand over) keeps its plain form.
bool needsNormalising(const std::wstring& path) {
    if (path.find(L'/') != std::wstring::npos) return true;
    for (size_t start = path.find(L'\\'); start != std::wstring::npos; start = path.find(L'\\', start + 1)) {
        const size_t end = path.find(L'\\', start + 1);
        const std::wstring_view step =
            std::wstring_view(path).substr(start + 1, end == std::wstring::npos ? std::wstring::npos : end - start - 1);
        if ((step.empty() && end != std::wstring::npos && start > 1) || step == L"." || step == L"..") return true;
    }
    return false;
}
}  // namespace

std::wstring literalPath(const std::wstring& path) {
    if (needsNormalising(path)) return path;
    if (path.size() >= 3 && isDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\') return kLiteralPrefix + path;
    // "\\?\" and "\\.\" are literal already; "\\server\share" is not.
    if (path.starts_with(L"\\\\") && path.size() > 2 && path[2] != L'?' && path[2] != L'.')
        return kLiteralUncPrefix + path.substr(2);
    return path;
}

std::wstring plainPath(const std::wstring& path) {
    if (path.starts_with(kLiteralUncPrefix)) return L"\\\\" + path.substr(wcslen(kLiteralUncPrefix));
    if (path.starts_with(kLiteralPrefix) && path.size() >= 6 && path[5] == L':') return path.substr(4);
    return path;
}

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
    ItemHandle item = ItemHandle::open(path, ItemHandle::kRemove);
    return item && item.remove();
}

namespace {
// The longest path the platform handles at all (with the "\\?\" prefix); a call that asks for
// more is taken as a failure rather than allocated for.
constexpr DWORD kLongestPath = 32768;

// Runs a platform call that fills a buffer and returns the length it wrote, or, when the buffer
// was too small, the size it needs (the current-directory and full-path convention). Grows the
// buffer until the result fits; empty when the call fails or wants more than any path can hold.
template <typename Fill>
std::wstring readGrowing(Fill fill) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 8; ++attempt) {
        const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0 || length > kLongestPath) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        // The value may have grown again between two calls (another thread changing the directory).
        buffer.assign(length + 1, L'\0');
    }
    return {};
}

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
}  // namespace

std::wstring withoutTrailingBackslash(std::wstring folder) {
    const size_t rootLength = rootPrefix(folder).size();
    while (folder.size() > rootLength + 1 && folder.back() == L'\\') folder.pop_back();
    return folder;
}

std::optional<std::wstring> parentFolder(const std::wstring& folder) {
    const std::wstring root = rootPrefix(folder);
    std::wstring rest = folder.substr(root.size());
    while (!rest.empty() && rest.back() == L'\\') rest.pop_back();
    const size_t slash = rest.rfind(L'\\');
    if (rest.empty() || slash == std::wstring::npos) return std::nullopt;
    return slash == 0 ? root + L"\\" : root + rest.substr(0, slash);
}

std::wstring textBelowFolder(const std::wstring& folder, const std::wstring& text) {
    if (text.empty()) return {};
    const bool network = text.size() >= 2 && isSeparator(text[0]) && isSeparator(text[1]);
    const bool drive = text.size() >= 2 && text[1] == L':';
    if (network || drive) return text;
    if (isSeparator(text[0])) return rootPrefix(folder) + text;
    return ensureTrailingBackslash(folder) + text;
}

std::wstring fullPathName(const std::wstring& path) {
    if (path.empty()) return {};
    return readGrowing([&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(path.c_str(), size, buffer, nullptr); });
}

std::wstring resolveFolderText(const std::wstring& folder, const std::wstring& text, bool relative) {
    const std::wstring full = fullPathName(relative ? textBelowFolder(folder, text) : text);
    return full.empty() ? full : withoutTrailingBackslash(full);
}

std::wstring shortPathName(const std::wstring& path) {
    if (path.empty()) return {};
    return readGrowing([&](wchar_t* buffer, DWORD size) { return GetShortPathNameW(path.c_str(), buffer, size); });
}

bool isExistingFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(literalPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool canListFolder(const std::wstring& path) {
    if (path.empty() || !isExistingFolder(path)) return false;
    HANDLE folder = CreateFileW(literalPath(path).c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return false;
    CloseHandle(folder);
    return true;
}

std::wstring currentDirectory() {
    return readGrowing([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
}

std::wstring moduleFileName() {
    // This call reports a cut name by returning the whole buffer size instead of the size it needs.
    for (DWORD size = MAX_PATH; size <= kLongestPath; size *= 2) {
        std::wstring buffer(size, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) return {};
        if (length < size) {
            buffer.resize(length);
            return buffer;
        }
    }
    return {};
}
