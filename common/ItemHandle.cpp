#include "common/ItemHandle.h"
#include "common/PathUtil.h"
#include "common/PlatformAbilities.h"
#include "common/ResolvedPath.h"
#include <vector>

ItemHandle ItemHandle::open(const std::wstring& path, DWORD access, const std::wstring& expected) {
    ItemHandle item;
    // Where the platform opens a link as itself, the open is the test: what it gives is the item
    // named, never what a link leads to, and nothing more is asked of the platform. Its names are
    // not needed either, so an item whose full path the platform cannot tell (a share whose upper
    // folders cannot be read, a volume without a letter) is handled like any other.
    if (platformAbilities().opensLinksThemselves) {
        item.handle_ = UniqueHandle::fromApi(
            CreateFileW(literalPath(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!item.handle_) item.error_ = GetLastError();
        return item;
    }
    std::wstring wanted = expected;
    if (wanted.empty()) {
        const std::optional<SplitPath> split = splitPath(path);
        const std::wstring folder = split ? resolvedPath(split->folder) : std::wstring();
        if (folder.empty()) {
            item.error_ = split ? GetLastError() : ERROR_INVALID_NAME;
            return item;
        }
        wanted = ensureTrailingBackslash(folder) + split->name;
    }
    // This platform follows a link even when asked to open it as itself: the resolved path gives it away.
    item.handle_ = UniqueHandle::fromApi(
        CreateFileW(literalPath(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!item.handle_) {
        item.error_ = GetLastError();
        return item;
    }
    const std::wstring resolved = finalPathOf(item.handle_.get());
    if (resolved.empty() || !resolvesToItsOwnPlace(path, resolved, wanted)) {
        item.handle_.reset();
        item.error_ = kReachedThroughLink;
        return item;
    }
    return item;
}

DWORD ItemHandle::attributes() const {
    FILE_BASIC_INFO basic{};
    if (attributes_ == INVALID_FILE_ATTRIBUTES && handle_ &&
        GetFileInformationByHandleEx(handle_.get(), FileBasicInfo, &basic, sizeof(basic)))
        attributes_ = basic.FileAttributes;
    return attributes_;
}

bool ItemHandle::fail() {
    error_ = GetLastError();
    return false;
}

bool ItemHandle::remove() {
    // With POSIX semantics a file another program holds open (an indexer, a virus scanner, a
    // watcher) leaves its folder at once, so the folder can go too. Where that is refused (an
    // older platform, FAT), the disposition every version takes.
    if (platformAbilities().posixDelete && deleteAtOnce(handle_.get())) return true;
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (SetFileInformationByHandle(handle_.get(), FileDispositionInfo, &disposition, sizeof(disposition))) return true;
    const DWORD error = GetLastError();
    if (attributes() == INVALID_FILE_ATTRIBUTES || !(attributes_ & FILE_ATTRIBUTE_READONLY)) {
        error_ = error;
        return false;
    }
    const DWORD protectedAttributes = attributes_;
    if (!setAttributes(protectedAttributes & ~FILE_ATTRIBUTE_READONLY)) return false;
    if (SetFileInformationByHandle(handle_.get(), FileDispositionInfo, &disposition, sizeof(disposition))) return true;
    const DWORD lastError = GetLastError();
    setAttributes(protectedAttributes);
    error_ = lastError;
    return false;
}

bool deleteAtOnce(HANDLE file) {
    // Windows 10 1607 and later; the headers for the versions the program also runs on leave it out.
    constexpr auto kFileDispositionInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(21);
    constexpr DWORD kDelete = 0x1, kPosixSemantics = 0x2, kIgnoreReadOnly = 0x10;
    DWORD flags = kDelete | kPosixSemantics | kIgnoreReadOnly;
    return SetFileInformationByHandle(file, kFileDispositionInfoEx, &flags, sizeof(flags)) != FALSE;
}

bool renameByHandle(HANDLE file, const std::wstring& target, bool replace) {
    const std::wstring literal = literalPath(target);
    const size_t bytes = literal.size() * sizeof(wchar_t);
    std::vector<unsigned char> block(sizeof(FILE_RENAME_INFO) + bytes, 0);
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(block.data());
    info->ReplaceIfExists = replace ? TRUE : FALSE;
    info->FileNameLength = static_cast<DWORD>(bytes);
    literal.copy(info->FileName, literal.size());
    return SetFileInformationByHandle(file, FileRenameInfo, info, static_cast<DWORD>(block.size())) != FALSE;
}

bool ItemHandle::renameTo(const std::wstring& target, bool replace) {
    if (!renameByHandle(handle_.get(), target, replace)) return fail();
    return true;
}

bool ItemHandle::setAttributes(DWORD attributes) {
    // Zero times leave the times as they are; zero attributes would too, hence "normal" for none.
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    if (!SetFileInformationByHandle(handle_.get(), FileBasicInfo, &basic, sizeof(basic))) return fail();
    attributes_ = attributes;
    return true;
}

bool ItemHandle::setTimes(const FILETIME* creation, const FILETIME* lastAccess, const FILETIME* lastWrite) {
    if (!SetFileTime(handle_.get(), creation, lastAccess, lastWrite)) return fail();
    return true;
}
