#include "fileops/FileCopy.h"
#include "common/ItemHandle.h"
#include "common/PathUtil.h"
#include "framework/Handles.h"
#include <memory>

namespace {
// Measured under Wine: blocks of 256 KiB copy small and large files as fast as the platform's own
// copy, where 1 MiB blocks took half as long again on a folder of 1 MB files.
constexpr DWORD kBlockBytes = 256 << 10;

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
    // The basic information and the size only: the full by-handle information also asks for the
    // volume, which costs as much as the copy of a small file.
    FILE_BASIC_INFO basic{};
    LARGE_INTEGER size{};
    if (!in || !GetFileInformationByHandleEx(in.get(), FileBasicInfo, &basic, sizeof(basic)) ||
        !GetFileSizeEx(in.get(), &size))
        return GetLastError();  // `out` goes with its handle
    if (replace) {
        const std::optional<SplitPath> split = splitPath(target);
        if (!split) return ERROR_INVALID_NAME;
        for (int attempt = 0; !out; ++attempt) {
            out = createPending(split->folder + L"~" + split->name + L"." + std::to_wstring(attempt) + L".part");
            const DWORD error = GetLastError();
            if (!out && (attempt == 99 || (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS))) return error;
        }
    }

    const uint64_t total = static_cast<uint64_t>(size.QuadPart);
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
    basic.ChangeTime.QuadPart = 0;  // left to the file system
    constexpr DWORD kCopiedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                        FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    basic.FileAttributes = (basic.FileAttributes & kCopiedAttributes) ? basic.FileAttributes & kCopiedAttributes
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
