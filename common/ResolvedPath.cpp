#include "common/ResolvedPath.h"
#include "common/PathUtil.h"
#include "common/ReparseTag.h"
#include "framework/Handles.h"
#include <winternl.h>
#include <algorithm>
#include <utility>
#include <vector>

namespace {
bool sameText(const wchar_t* a, size_t aSize, const wchar_t* b, size_t bSize) {
    return CompareStringOrdinal(a, static_cast<int>(aSize), b, static_cast<int>(bSize), TRUE) == CSTR_EQUAL;
}

// The nearest existing item on the way up from `path` ("C:\a\new\deeper" gives "C:\a" when only
// that exists), resolved, with the part that does not exist yet appended as spelled.
std::wstring resolvedAlongTheWay(const std::wstring& path) {
    std::wstring tail, current = withoutTrailingBackslash(path);
    for (int steps = 0; steps < 1024; ++steps) {
        const std::wstring resolved = resolvedPath(current);
        if (!resolved.empty()) return tail.empty() ? resolved : ensureTrailingBackslash(resolved) + tail;
        const std::optional<std::wstring> parent = parentFolder(current);
        if (!parent) break;
        const std::optional<SplitPath> split = splitPath(current);
        tail = split ? (tail.empty() ? split->name : split->name + L"\\" + tail) : tail;
        current = *parent;
    }
    return {};
}

bool isTrimmedByThePlatform(wchar_t c) { return c == L'.' || c == L' '; }

// Which item a path leads to (links followed), by the volume's serial number and the file's id:
// what stays true of an item where its names cannot be had (a share whose parent folders cannot
// be read, a volume without a letter). Empty when the item cannot be opened.
struct Identity {
    uint64_t volume = 0;
    unsigned char id[16] = {};
    bool known = false;
    bool operator==(const Identity& other) const {
        return known && other.known && volume == other.volume && std::equal(id, id + 16, other.id);
    }
};

Identity identityOf(const std::wstring& path) {
    Identity identity;
    UniqueHandle item = UniqueHandle::fromApi(CreateFileW(literalPath(path).c_str(), 0,
                                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!item) return identity;
    // The 128-bit id where the platform has it (ReFS ids do not fit 64 bits); the older 64 bits elsewhere.
    struct {
        ULONGLONG volume;
        unsigned char id[16];
    } wide{};
    constexpr auto kFileIdInfo = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);
    if (GetFileInformationByHandleEx(item.get(), kFileIdInfo, &wide, sizeof(wide))) {
        identity.volume = wide.volume;
        std::copy(wide.id, wide.id + 16, identity.id);
        identity.known = true;
        return identity;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(item.get(), &info)) return identity;
    identity.volume = info.dwVolumeSerialNumber;
    const uint64_t index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    std::copy(reinterpret_cast<const unsigned char*>(&index), reinterpret_cast<const unsigned char*>(&index) + 8,
              identity.id);
    identity.known = true;
    return identity;
}

// The item's name as the object manager keeps it, "\??\C:\a\b" for a path beside a drive letter.
std::wstring objectNameOf(HANDLE item) {
    using QueryObject = NTSTATUS(NTAPI*)(HANDLE, OBJECT_INFORMATION_CLASS, PVOID, ULONG, PULONG);
    static const auto query = reinterpret_cast<QueryObject>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryObject")));
    if (!query) return {};
    // Room for the longest path the file system takes, with the header before it.
    std::vector<unsigned char> block(sizeof(UNICODE_STRING) + 32768 * sizeof(wchar_t));
    ULONG length = 0;
    constexpr auto kObjectNameInformation = static_cast<OBJECT_INFORMATION_CLASS>(1);
    if (query(item, kObjectNameInformation, block.data(), static_cast<ULONG>(block.size()), &length) < 0) return {};
    const auto* name = reinterpret_cast<const UNICODE_STRING*>(block.data());
    return std::wstring(name->Buffer, name->Length / sizeof(wchar_t));
}
}  // namespace

std::wstring finalPathOf(HANDLE item) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD length = GetFinalPathNameByHandleW(item, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) break;
        if (length < buffer.size()) {
            buffer.resize(length);
            return plainPath(buffer);
        }
        buffer.assign(length + 1, L'\0');
    }
    // Wine's call fails with ERROR_MORE_DATA for a path longer than about MAX_PATH characters,
    // however large the caller's buffer (seen with one of 1024). The object's own name, which it
    // reads the path from, holds the path whole; on Windows that name is a device path, and the
    // call above does not fail this way there.
    if (GetLastError() != ERROR_MORE_DATA) return {};
    const std::wstring name = objectNameOf(item);
    constexpr std::wstring_view kDosDevices = L"\\??\\";
    if (!name.starts_with(kDosDevices)) return {};
    return plainPath(L"\\\\?\\" + name.substr(kDosDevices.size()));
}

std::wstring resolvedPath(const std::wstring& path) {
    if (path.empty()) return {};
    // No access is asked, so nothing is locked; backup semantics opens folders as well as files.
    UniqueHandle item = UniqueHandle::fromApi(CreateFileW(literalPath(path).c_str(), 0,
                                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!item) return {};
    return withoutTrailingBackslash(finalPathOf(item.get()));
}

bool sameResolvedPath(const std::wstring& a, const std::wstring& b) {
    const std::wstring x = withoutTrailingBackslash(a), y = withoutTrailingBackslash(b);
    return sameText(x.c_str(), x.size(), y.c_str(), y.size());
}

bool resolvedInside(const std::wstring& path, const std::wstring& folder) {
    const std::wstring p = ensureTrailingBackslash(path), f = ensureTrailingBackslash(folder);
    return p.size() >= f.size() && sameText(p.c_str(), f.size(), f.c_str(), f.size());
}

bool isSameItem(const std::wstring& a, const std::wstring& b) {
    const std::wstring x = resolvedPath(a), y = resolvedPath(b);
    if (!x.empty() && !y.empty()) return sameResolvedPath(x, y);
    // Where the names cannot be had, the items themselves are compared; by spelling only when
    // even they cannot be opened.
    const Identity first = identityOf(a), second = identityOf(b);
    if (first.known && second.known) return first == second;
    return sameResolvedPath(a, b);
}

bool isSameOrInsideItem(const std::wstring& path, const std::wstring& folder) {
    const std::wstring p = resolvedAlongTheWay(path), f = resolvedPath(folder);
    if (!p.empty() && !f.empty()) return resolvedInside(p, f);
    const Identity wanted = identityOf(folder);
    if (!wanted.known) return resolvedInside(path, folder);
    // The path or one of the folders above it is the folder itself.
    std::wstring current = withoutTrailingBackslash(path);
    for (int steps = 0; steps < 1024; ++steps) {
        if (identityOf(current) == wanted) return true;
        const std::optional<std::wstring> parent = parentFolder(current);
        if (!parent) return false;
        current = *parent;
    }
    return false;
}

bool resolvesToItsOwnPlace(const std::wstring& path, const std::wstring& resolved, const std::wstring& expected) {
    if (sameResolvedPath(resolved, expected)) return true;
    std::wstring trimmedExpected = expected, trimmedPath = path;
    while (!trimmedExpected.empty() && isTrimmedByThePlatform(trimmedExpected.back())) trimmedExpected.pop_back();
    while (!trimmedPath.empty() && isTrimmedByThePlatform(trimmedPath.back())) trimmedPath.pop_back();
    if (trimmedExpected.size() == expected.size() || !sameResolvedPath(resolved, trimmedExpected)) return false;
    const Identity item = identityOf(path), neighbour = identityOf(trimmedPath);
    return item.known && !(item == neighbour);
}

bool isLinkedFolder(const std::wstring& path, DWORD attributes, DWORD tag, const std::wstring& resolvedFolder,
                    const std::wstring& name, std::wstring& childResolved) {
    childResolved = resolvedPath(path);
    if (marksALink(attributes, tag)) return true;
    // A folder that cannot be resolved is not walked either: what it holds cannot be checked.
    if (childResolved.empty() || resolvedFolder.empty()) return true;
    return !resolvesToItsOwnPlace(path, childResolved, ensureTrailingBackslash(resolvedFolder) + name);
}
