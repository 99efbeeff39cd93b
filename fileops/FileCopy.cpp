#include "fileops/FileCopy.h"
#include "common/PathUtil.h"
#include "common/PlatformAbilities.h"
#include "framework/Handles.h"
#include <memory>
#include <utility>

namespace {
// Measured under Wine against the platform's own copy: 256 KiB blocks copy one 1 GB file faster
// than 64 KiB ones (1.06-1.12 of its throughput against 0.90-0.98), and 1 MiB blocks took half as
// long again on a folder of 1 MB files.
constexpr DWORD kBlockBytes = 256 << 10;
// From this size on the platform's copy goes around the file cache: a file this large is seldom
// read again soon, and cached it would push out everything the user is working with.
constexpr uint64_t kUnbufferedBytes = 256ull << 20;

bool setDeletePending(HANDLE file, bool pending) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = pending ? TRUE : FALSE;
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof(disposition)) != FALSE;
}

// A new file of our own: created exclusively, so it is ours to remove, and pending deletion.
UniqueHandle createPending(const std::wstring& path) {
    UniqueHandle file = UniqueHandle::fromApi(CreateFileW(literalPath(path).c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                                                          nullptr));
    if (file && !setDeletePending(file.get(), true)) {
        // Without a pending deletion the file would outlive a failure: do without it.
        const DWORD error = GetLastError();
        file.reset();
        DeleteFileW(literalPath(path).c_str());
        SetLastError(error);
    }
    return file;
}

// The replacement's own name beside the file it replaces, tried with one counter after another until
// one is free. It does not grow with the target's name, which may already be as long as the file
// system allows.
std::wstring replacementName(int attempt) { return L"~vantor." + std::to_wstring(attempt) + L".part"; }

BlockRead blockRead = ReadFile;

// One block buffer per worker thread, kept for the thread's life.
char* blockBuffer() {
    thread_local std::unique_ptr<char[]> buffer(new char[kBlockBytes]);
    return buffer.get();
}

// A platform or volume without named streams answers the question for them in one of these ways.
bool noStreamsAtAll(DWORD error) {
    return error == ERROR_HANDLE_EOF || error == ERROR_INVALID_PARAMETER || error == ERROR_CALL_NOT_IMPLEMENTED ||
           error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION;
}

DWORD copyStream(const std::wstring& source, const std::wstring& target) {
    UniqueHandle in = UniqueHandle::fromApi(CreateFileW(literalPath(source).c_str(), GENERIC_READ,
                                                        FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in) return GetLastError();
    UniqueHandle out = UniqueHandle::fromApi(
        CreateFileW(literalPath(target).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) return GetLastError();
    char* buffer = blockBuffer();
    for (;;) {
        DWORD got = 0, written = 0;
        if (!ReadFile(in.get(), buffer, kBlockBytes, &got, nullptr)) return GetLastError();
        if (got == 0) return 0;
        if (!WriteFile(out.get(), buffer, got, &written, nullptr)) return GetLastError();
        if (written != got) return ERROR_DISK_FULL;
    }
}

// The file's named streams besides its data (the mark of the web "Zone.Identifier" among them),
// which the block loop would otherwise leave behind.
DWORD copyNamedStreams(const std::wstring& source, const std::wstring& target) {
    WIN32_FIND_STREAM_DATA stream;
    FindHandle find(FindFirstStreamW(literalPath(source).c_str(), FindStreamInfoStandard, &stream, 0));
    if (!find) return noStreamsAtAll(GetLastError()) ? 0 : GetLastError();
    do {
        const std::wstring name = stream.cStreamName;  // ":name:$DATA"; the data itself is "::$DATA"
        if (name == L"::$DATA") continue;
        if (const DWORD error = copyStream(source + name, target + name)) return error;
    } while (FindNextStreamW(find.get(), &stream));
    return GetLastError() == ERROR_HANDLE_EOF ? 0 : GetLastError();
}

// Gives the complete file `temporary` the name of `target`, which it replaces. ReplaceFileW keeps
// with the name what belongs to the replaced file: its creation time, attributes, security and
// hard links. Where the platform refuses that, a plain replacing rename. 0, or the platform's
// error with the target as it was and the temporary file gone, or, when the platform had already
// taken the target away, kept: it is then the only copy of the new contents.
DWORD putInPlace(const std::wstring& temporary, const std::wstring& target) {
    const std::wstring from = literalPath(temporary), to = literalPath(target);
    // The platform's replace keeps the creation time but not the attributes (and Wine's keeps
    // neither): both are given to the replacement first.
    WIN32_FILE_ATTRIBUTE_DATA replaced{};
    if (GetFileAttributesExW(to.c_str(), GetFileExInfoStandard, &replaced)) {
        UniqueHandle replacement = UniqueHandle::fromApi(CreateFileW(
            from.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr));
        FILE_BASIC_INFO kept{};
        kept.CreationTime.LowPart = replaced.ftCreationTime.dwLowDateTime;
        kept.CreationTime.HighPart = static_cast<LONG>(replaced.ftCreationTime.dwHighDateTime);
        kept.FileAttributes = replaced.dwFileAttributes & ~FILE_ATTRIBUTE_DIRECTORY;
        if (kept.FileAttributes == 0) kept.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        if (replacement) SetFileInformationByHandle(replacement.get(), FileBasicInfo, &kept, sizeof(kept));
    }
    if (ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS,
                     nullptr, nullptr))
        return 0;
    const DWORD refused = GetLastError();
    if (refused == ERROR_UNABLE_TO_MOVE_REPLACEMENT) return MoveFileExW(from.c_str(), to.c_str(), 0) ? 0 : GetLastError();
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return 0;
    const DWORD error = GetLastError();
    DeleteFileW(from.c_str());
    return error;
}

DWORD writeCopy(BegunCopy& copy, const CopyProgress& progress) {
    uint64_t done = 0;
    char* buffer = blockBuffer();
    for (;;) {
        DWORD got = 0, written = 0;
        if (!blockRead(copy.in.get(), buffer, kBlockBytes, &got, nullptr)) return GetLastError();
        if (got == 0) break;
        if (!WriteFile(copy.out.get(), buffer, got, &written, nullptr)) return GetLastError();
        if (written != got) return ERROR_DISK_FULL;
        done += got;
        if (progress && !progress(done, copy.size)) return ERROR_REQUEST_ABORTED;
    }

    // Times and attributes in one step; the read-only attribute does not stop the steps below,
    // which go through the open handle.
    FILE_BASIC_INFO basic = copy.basic;
    basic.ChangeTime.QuadPart = 0;  // left to the file system
    constexpr DWORD kCopiedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                        FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    basic.FileAttributes = (basic.FileAttributes & kCopiedAttributes) ? basic.FileAttributes & kCopiedAttributes
                                                                      : FILE_ATTRIBUTE_NORMAL;
    if (!SetFileInformationByHandle(copy.out.get(), FileBasicInfo, &basic, sizeof(basic))) return GetLastError();
    if (!setDeletePending(copy.out.get(), false)) return GetLastError();
    // A stream cannot be opened on a file whose deletion is pending, so they come once it is not.
    const std::wstring written = copy.replacing.empty() ? copy.target : copy.temporary;
    if (const DWORD error = platformAbilities().namedStreams ? copyNamedStreams(copy.source, written) : 0) {
        setDeletePending(copy.out.get(), true);
        return error;
    }
    if (copy.replacing.empty()) return 0;
    copy.in.reset();
    copy.out.reset();
    return putInPlace(copy.temporary, copy.replacing);
}

DWORD CALLBACK reportCopied(LARGE_INTEGER total, LARGE_INTEGER done, LARGE_INTEGER, LARGE_INTEGER, DWORD, DWORD,
                            HANDLE, HANDLE, LPVOID context) {
    const CopyProgress& progress = *static_cast<const CopyProgress*>(context);
    const bool goOn = !progress || progress(static_cast<uint64_t>(done.QuadPart), static_cast<uint64_t>(total.QuadPart));
    return goOn ? PROGRESS_CONTINUE : PROGRESS_CANCEL;
}

// The platform's own copy (CopyFileExW), which carries what the file has besides its bytes: named
// streams, extended attributes, encryption (or fails with its reason), and on a share lets the
// server copy. It writes under a name of its own in the target folder; only a whole copy takes
// the target's name.
DWORD platformCopy(BegunCopy& copy, const CopyProgress& progress) {
    if (progress && !progress(0, copy.size)) return ERROR_REQUEST_ABORTED;
    copy.in.reset();  // it opens the source itself
    // A new name stays claimed until the copy is whole; a replacement's own name is chosen afresh below.
    if (!copy.replacing.empty()) copy.out.reset();
    const std::optional<SplitPath> split = splitPath(copy.target);
    if (!split) return ERROR_INVALID_NAME;
    const DWORD flags = COPY_FILE_FAIL_IF_EXISTS | (copy.size >= kUnbufferedBytes ? COPY_FILE_NO_BUFFERING : 0);
    std::wstring temporary;
    for (int attempt = 0;; ++attempt) {
        temporary = split->folder + replacementName(attempt);
        if (CopyFileExW(literalPath(copy.source).c_str(), literalPath(temporary).c_str(), reportCopied,
                        const_cast<CopyProgress*>(&progress), nullptr, flags))
            break;
        const DWORD error = GetLastError();
        const bool taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
        if (taken && attempt < 99) continue;
        if (!taken) DeleteFileW(literalPath(temporary).c_str());  // whatever a failed copy left under our name
        return error;
    }
    // The creation time too, as the block loop's copies have it; the platform's copy keeps only the last write.
    FILE_BASIC_INFO times = copy.basic;
    times.ChangeTime.QuadPart = 0;
    times.FileAttributes = 0;  // as the platform's copy set them
    UniqueHandle written = UniqueHandle::fromApi(CreateFileW(literalPath(temporary).c_str(), FILE_WRITE_ATTRIBUTES,
                                                             FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                                             OPEN_EXISTING, 0, nullptr));
    if (!written || !SetFileInformationByHandle(written.get(), FileBasicInfo, &times, sizeof(times))) {
        const DWORD error = GetLastError();
        written.reset();
        DeleteFileW(literalPath(temporary).c_str());
        return error;
    }
    written.reset();
    if (!copy.replacing.empty()) return putInPlace(temporary, copy.replacing);
    copy.out.reset();  // the claim goes with its pending deletion, and the copy takes the name
    if (MoveFileExW(literalPath(temporary).c_str(), literalPath(copy.target).c_str(), 0)) return 0;
    const DWORD error = GetLastError();
    DeleteFileW(literalPath(temporary).c_str());
    return error;
}
}  // namespace

BlockRead swapBlockRead(BlockRead read) { return std::exchange(blockRead, read); }

DWORD beginCopy(const std::wstring& source, const std::wstring& target, bool replace, BegunCopy& copy,
                uint64_t largestFile) {
    // Without replacing, the target is claimed first, so an existing one fails before any reading.
    if (!replace && !(copy.out = createPending(target))) return GetLastError();
    copy.in = UniqueHandle::fromApi(CreateFileW(literalPath(source).c_str(), GENERIC_READ,
                                                FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    // The basic information and the size only: the full by-handle information also asks for the
    // volume, which costs as much as the copy of a small file.
    LARGE_INTEGER size{};
    if (!copy.in || !GetFileInformationByHandleEx(copy.in.get(), FileBasicInfo, &copy.basic, sizeof(copy.basic)) ||
        !GetFileSizeEx(copy.in.get(), &size)) {
        const DWORD error = GetLastError();
        copy.out.reset();
        return error;
    }
    copy.size = static_cast<uint64_t>(size.QuadPart);
    if (copy.size > largestFile) {
        copy.out.reset();
        return ERROR_FILE_TOO_LARGE;
    }
    copy.source = source;
    copy.target = target;
    if (replace) {
        const std::optional<SplitPath> split = splitPath(target);
        if (!split) return ERROR_INVALID_NAME;
        for (int attempt = 0; !copy.out; ++attempt) {
            copy.temporary = split->folder + replacementName(attempt);
            copy.out = createPending(copy.temporary);
            const DWORD error = GetLastError();
            if (!copy.out && (attempt == 99 || (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS))) return error;
        }
        copy.replacing = target;
    }
    return 0;
}

DWORD finishCopy(BegunCopy& copy, const CopyProgress& progress) {
    // The block loop only where the platform's copy cannot show its progress or be cancelled.
    const DWORD error = platformAbilities().copyReportsProgress ? platformCopy(copy, progress) : writeCopy(copy, progress);
    // Closed here, so that on return the copy is whole under its name, or gone.
    copy.in.reset();
    copy.out.reset();
    return error;
}

DWORD copyFileSafely(const std::wstring& source, const std::wstring& target, bool replace, const CopyProgress& progress) {
    BegunCopy copy;
    if (const DWORD error = beginCopy(source, target, replace, copy)) return error;
    return finishCopy(copy, progress);
}
