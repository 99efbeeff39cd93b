#include "fileops/FolderSize.h"
#include "common/PathUtil.h"
#include "common/ReparseTag.h"
#include "framework/Handles.h"
#include <windows.h>
#include <memory>
#include <vector>

bool CountedFiles::firstSight(uint64_t volume, uint64_t high, uint64_t low) {
    return seen_.insert(Key{volume, high, low}).second;
}

namespace {

// The directory listing with file ids, 64 KB at a time: the ids come with the names, so no file
// is opened to tell its hard links apart, and the walk costs what a plain listing costs.
constexpr DWORD kBufferBytes = 64 * 1024;

struct Walk {
    CountedFiles& counted;
    const std::atomic<bool>& stop;
    FolderTally tally;
    std::unique_ptr<unsigned char[]> buffer{new unsigned char[kBufferBytes + 8]};
    std::vector<std::wstring> pending;
    uint64_t volume = 0;
    bool volumeKnown = false;

    void countFile(const LARGE_INTEGER& id, uint64_t size) {
        if (id.QuadPart != 0 && !counted.firstSight(volume, 0, static_cast<uint64_t>(id.QuadPart))) return;
        tally.bytes += size;
        ++tally.files;
    }

    void entry(const std::wstring& folder, const wchar_t* name, size_t length, DWORD attributes, DWORD tag,
               const LARGE_INTEGER& id, uint64_t size) {
        if (length == 1 && name[0] == L'.') return;
        if (length == 2 && name[0] == L'.' && name[1] == L'.') return;
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            std::wstring path = folder + std::wstring(name, length);
            // The listing's tag field is not filled in everywhere: ask the item's own record then.
            if (tag == 0) tag = reparseTagOf(path);
            if (listedAsLink(attributes, tag)) {
                ++tally.links;
                return;
            }
        }
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) pending.push_back(folder + std::wstring(name, length) + L"\\");
        else countFile(id, size);
    }

    // Lists one folder with its ids; false when the platform has no such listing here.
    bool listWithIds(const std::wstring& folder, bool& unlisted) {
        UniqueHandle dir(CreateFileW(literalPath(folder).c_str(), FILE_LIST_DIRECTORY,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!dir) {
            unlisted = true;
            return true;
        }
        // A walk never enters a mount point, so the whole walk stays on the volume of its first folder.
        if (!volumeKnown) {
            BY_HANDLE_FILE_INFORMATION info{};
            volume = GetFileInformationByHandle(dir.get(), &info) ? info.dwVolumeSerialNumber : 0;
            volumeKnown = true;
        }
        FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
        for (;;) {
            if (stop.load(std::memory_order_relaxed)) {
                tally.stopped = true;
                return true;
            }
            if (!GetFileInformationByHandleEx(dir.get(), kind, buffer.get(), kBufferBytes)) {
                const DWORD error = GetLastError();
                if (error == ERROR_NO_MORE_FILES) return true;
                if (kind == FileIdBothDirectoryRestartInfo &&
                    (error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED || error == ERROR_CALL_NOT_IMPLEMENTED ||
                     error == ERROR_INVALID_FUNCTION))
                    return false;
                unlisted = true;
                return true;
            }
            kind = FileIdBothDirectoryInfo;
            const unsigned char* at = buffer.get();
            for (;;) {
                const auto* record = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
                entry(folder, record->FileName, record->FileNameLength / sizeof(wchar_t), record->FileAttributes,
                      (record->FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? record->EaSize : 0,
                      record->FileId, static_cast<uint64_t>(record->EndOfFile.QuadPart));
                if (record->NextEntryOffset == 0) break;
                at += record->NextEntryOffset;
            }
        }
    }

    // The plain listing, where the one with ids is not to be had: hard links then count each time.
    void listPlain(const std::wstring& folder, bool& unlisted) {
        WIN32_FIND_DATAW data;
        FindHandle find(FindFirstFileExW(literalPath(folder + L"*").c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
        if (!find) {
            unlisted = GetLastError() != ERROR_FILE_NOT_FOUND;
            return;
        }
        const LARGE_INTEGER noId{};
        do {
            entry(folder, data.cFileName, wcslen(data.cFileName), data.dwFileAttributes, data.dwReserved0, noId,
                  (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
        } while (!stop.load(std::memory_order_relaxed) && FindNextFileW(find.get(), &data));
        if (GetLastError() != ERROR_NO_MORE_FILES && !stop.load()) unlisted = true;
    }
};

}  // namespace

FolderTally tallyFolder(const std::wstring& folder, CountedFiles& counted, const std::atomic<bool>& stop) {
    Walk walk{counted, stop};
    walk.pending.push_back(ensureTrailingBackslash(folder));
    bool withIds = true;
    while (!walk.pending.empty()) {
        if (stop.load(std::memory_order_relaxed)) {
            walk.tally.stopped = true;
            break;
        }
        const std::wstring next = std::move(walk.pending.back());
        walk.pending.pop_back();
        bool unlisted = false;
        if (!withIds || !walk.listWithIds(next, unlisted)) {
            withIds = false;
            walk.listPlain(next, unlisted);
        }
        if (unlisted) ++walk.tally.unlisted;
    }
    return walk.tally;
}
