#include "fileops/FileCopy.h"
#include "common/ItemHandle.h"
#include "common/PathUtil.h"
#include "framework/Handles.h"
#include <memory>

namespace {
constexpr DWORD kBlockBytes = 1 << 20;

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

// One block buffer per worker thread, kept for the thread's life.
char* blockBuffer() {
    thread_local std::unique_ptr<char[]> buffer(new char[kBlockBytes]);
    return buffer.get();
}
}  // namespace

DWORD copyFileSafely(const std::wstring& source, const std::wstring& target, bool replace, const CopyProgress& progress) {
    // Without replacing, the target is claimed first, so an existing one fails before any reading.
    UniqueHandle out;
    if (!replace && !(out = createPending(target))) return GetLastError();
    UniqueHandle in = UniqueHandle::fromApi(CreateFileW(literalPath(source).c_str(), GENERIC_READ,
                                                        FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!in || !GetFileInformationByHandle(in.get(), &info)) return GetLastError();  // `out` goes with its handle
    if (replace) {
        const std::optional<SplitPath> split = splitPath(target);
        if (!split) return ERROR_INVALID_NAME;
        for (int attempt = 0; !out; ++attempt) {
            out = createPending(split->folder + L"~" + split->name + L"." + std::to_wstring(attempt) + L".part");
            const DWORD error = GetLastError();
            if (!out && (attempt == 99 || (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS))) return error;
        }
    }

    const uint64_t total = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    uint64_t done = 0;
    char* buffer = blockBuffer();
    for (;;) {
        DWORD got = 0, written = 0;
        if (!ReadFile(in.get(), buffer, kBlockBytes, &got, nullptr)) return GetLastError();
        if (got == 0) break;
        if (!WriteFile(out.get(), buffer, got, &written, nullptr)) return GetLastError();
        if (written != got) return ERROR_DISK_FULL;
        done += got;
        if (progress && !progress(done, total)) return ERROR_REQUEST_ABORTED;
    }

    // Times and attributes in one step; the read-only attribute does not stop the steps below,
    // which go through the open handle.
    FILE_BASIC_INFO basic{};
    basic.CreationTime.LowPart = info.ftCreationTime.dwLowDateTime;
    basic.CreationTime.HighPart = static_cast<LONG>(info.ftCreationTime.dwHighDateTime);
    basic.LastAccessTime.LowPart = info.ftLastAccessTime.dwLowDateTime;
    basic.LastAccessTime.HighPart = static_cast<LONG>(info.ftLastAccessTime.dwHighDateTime);
    basic.LastWriteTime.LowPart = info.ftLastWriteTime.dwLowDateTime;
    basic.LastWriteTime.HighPart = static_cast<LONG>(info.ftLastWriteTime.dwHighDateTime);
    constexpr DWORD kCopiedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                        FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    basic.FileAttributes = (info.dwFileAttributes & kCopiedAttributes) ? info.dwFileAttributes & kCopiedAttributes
                                                                       : FILE_ATTRIBUTE_NORMAL;
    if (!SetFileInformationByHandle(out.get(), FileBasicInfo, &basic, sizeof(basic))) return GetLastError();
    if (!setDeletePending(out.get(), false)) return GetLastError();
    if (replace && !renameByHandle(out.get(), target, true)) {
        const DWORD error = GetLastError();
        setDeletePending(out.get(), true);  // the old file stays; its replacement goes
        return error;
    }
    return 0;
}
