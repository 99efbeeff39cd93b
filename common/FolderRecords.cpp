#include "common/FolderRecords.h"
#include "framework/Handles.h"
#include <algorithm>

namespace {
constexpr DWORD kBufferBytes = 64 * 1024;

bool isDotOrDotDot(std::wstring_view name) { return name == L"." || name == L".."; }
}  // namespace

WIN32_FIND_DATAW FolderRecord::findData() const {
    WIN32_FIND_DATAW data{};
    data.dwFileAttributes = attributes;
    data.ftCreationTime = creation;
    data.ftLastAccessTime = access;
    data.ftLastWriteTime = write;
    data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(size);
    data.dwReserved0 = tag;
    // A name is at most 255 characters on every file system the platform has.
    const size_t length = std::min(name.size(), static_cast<size_t>(MAX_PATH - 1));
    std::copy_n(name.data(), length, data.cFileName);
    return data;
}

FolderRecords::FolderRecords() : buffer_(new unsigned char[kBufferBytes + 8]) {}

FolderListing FolderRecords::list(HANDLE folder, const std::atomic<bool>& stop,
                                  const std::function<void(const FolderRecord&)>& each, DWORD& error) {
    FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
    for (;;) {
        if (stop.load(std::memory_order_relaxed)) return FolderListing::Stopped;
        if (!GetFileInformationByHandleEx(folder, kind, buffer_.get(), kBufferBytes)) {
            error = GetLastError();
            // A drive root has no "." and "..", so an empty one has nothing at all to give.
            if (error == ERROR_NO_MORE_FILES || (error == ERROR_FILE_NOT_FOUND && kind == FileIdBothDirectoryRestartInfo))
                return FolderListing::Listed;
            if (kind == FileIdBothDirectoryRestartInfo &&
                (error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED ||
                 error == ERROR_CALL_NOT_IMPLEMENTED || error == ERROR_INVALID_FUNCTION))
                return FolderListing::NotSupported;
            return FolderListing::Failed;
        }
        kind = FileIdBothDirectoryInfo;
        for (const unsigned char* at = buffer_.get();;) {
            const auto* raw = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
            FolderRecord record;
            record.name = std::wstring_view(raw->FileName, raw->FileNameLength / sizeof(wchar_t));
            if (!isDotOrDotDot(record.name)) {
                record.attributes = raw->FileAttributes;
                // The platform puts a reparse point's tag where the extended attributes' size would be.
                record.tag = (raw->FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? raw->EaSize : 0;
                record.id = raw->FileId;
                record.size = static_cast<uint64_t>(raw->EndOfFile.QuadPart);
                record.creation = {raw->CreationTime.LowPart, static_cast<DWORD>(raw->CreationTime.HighPart)};
                record.access = {raw->LastAccessTime.LowPart, static_cast<DWORD>(raw->LastAccessTime.HighPart)};
                record.write = {raw->LastWriteTime.LowPart, static_cast<DWORD>(raw->LastWriteTime.HighPart)};
                each(record);
            }
            if (raw->NextEntryOffset == 0) break;
            at += raw->NextEntryOffset;
        }
    }
}

FolderListing listFolderByName(const std::wstring& folder, const std::atomic<bool>& stop,
                               const std::function<void(const FolderRecord&)>& each, DWORD& error) {
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileExW((folder + L'*').c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        error = GetLastError();
        // Only a drive root lists nothing at all when it is empty.
        return error == ERROR_FILE_NOT_FOUND ? FolderListing::Listed : FolderListing::Failed;
    }
    do {
        if (stop.load(std::memory_order_relaxed)) return FolderListing::Stopped;
        FolderRecord record;
        record.name = std::wstring_view(data.cFileName, wcsnlen(data.cFileName, MAX_PATH));
        if (isDotOrDotDot(record.name)) continue;
        record.attributes = data.dwFileAttributes;
        record.tag = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? data.dwReserved0 : 0;
        record.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        record.creation = data.ftCreationTime;
        record.access = data.ftLastAccessTime;
        record.write = data.ftLastWriteTime;
        each(record);
    } while (FindNextFileW(find.get(), &data));
    error = GetLastError();
    return error == ERROR_NO_MORE_FILES ? FolderListing::Listed : FolderListing::Failed;
}

HANDLE openFolderForListing(const std::wstring& literalPath) {
    return CreateFileW(literalPath.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}
