#include "fileops/FolderSize.h"
#include "common/FolderRecords.h"
#include "common/PathUtil.h"
#include "common/ReparseTag.h"
#include "framework/Handles.h"
#include <windows.h>
#include <vector>

bool CountedFiles::firstSight(uint64_t volume, uint64_t high, uint64_t low) {
    return seen_.insert(Key{volume, high, low}).second;
}

namespace {

struct Walk {
    CountedFiles& counted;
    const std::atomic<bool>& stop;
    FolderTally tally;
    // The listing with file ids: no file is opened to tell its hard links apart.
    FolderRecords records;
    std::vector<std::wstring> pending;
    uint64_t volume = 0;
    bool volumeKnown = false;

    void countFile(const LARGE_INTEGER& id, uint64_t size) {
        if (id.QuadPart != 0 && !counted.firstSight(volume, 0, static_cast<uint64_t>(id.QuadPart))) return;
        tally.bytes += size;
        ++tally.files;
    }

    void entry(const std::wstring& folder, const FolderRecord& record) {
        if (record.attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            // The listing's tag field is not filled in everywhere: ask the item's own record then.
            const DWORD tag = record.tag ? record.tag : reparseTagOf(folder + std::wstring(record.name));
            if (listedAsLink(record.attributes, tag)) {
                ++tally.links;
                return;
            }
        }
        if (record.attributes & FILE_ATTRIBUTE_DIRECTORY) pending.push_back(folder + std::wstring(record.name) + L"\\");
        else countFile(record.id, record.size);
    }

    // Lists one folder with its ids; false when the platform has no such listing here.
    bool listWithIds(const std::wstring& folder, bool& unlisted) {
        UniqueHandle dir(openFolderForListing(literalPath(folder)));
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
        DWORD error = 0;
        const FolderListing listed =
            records.list(dir.get(), stop, [&](const FolderRecord& record) { entry(folder, record); }, error);
        if (listed == FolderListing::Stopped) tally.stopped = true;
        if (listed == FolderListing::Failed) unlisted = true;
        return listed != FolderListing::NotSupported;
    }

    // The plain listing, where the one with ids is not to be had: hard links then count each time.
    void listPlain(const std::wstring& folder, bool& unlisted) {
        DWORD error = 0;
        const FolderListing listed =
            listFolderByName(literalPath(folder), stop, [&](const FolderRecord& record) { entry(folder, record); }, error);
        if (listed == FolderListing::Failed) unlisted = true;
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
