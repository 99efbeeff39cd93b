// A folder's entries read through a handle its walk has already opened, 64 KB of records a call.
// A walk that opens each folder to judge it (where it resolves, which volume it is on) lists it
// through the same handle, so it costs what a plain listing costs. The records carry the file ids,
// which tell hard links apart without opening any file.
#pragma once
#include <windows.h>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

struct FolderRecord {
    std::wstring_view name;
    DWORD attributes = 0;
    DWORD tag = 0;  // the reparse tag where the platform fills it in for a reparse point, else 0
    LARGE_INTEGER id{};
    uint64_t size = 0;
    FILETIME creation{}, access{}, write{};

    // The record in the shape of a find record, for code that takes those.
    WIN32_FIND_DATAW findData() const;
};

enum class FolderListing {
    Listed,
    Stopped,
    // The platform has no listing through a handle here: list by name instead.
    NotSupported,
    // Listing began and then broke off; `error` has the platform's reason.
    Failed,
};

class FolderRecords {
public:
    FolderRecords();
    // Hands each entry of the open folder, "." and ".." left out, to `each`; checks `stop` between calls.
    FolderListing list(HANDLE folder, const std::atomic<bool>& stop, const std::function<void(const FolderRecord&)>& each,
                       DWORD& error);

private:
    std::unique_ptr<unsigned char[]> buffer_;
};

// The same listing by name (FindFirstFileExW), where the platform has none through a handle; the
// records then carry no file ids. `folder` is in literal form and ends in a backslash.
FolderListing listFolderByName(const std::wstring& folder, const std::atomic<bool>& stop,
                               const std::function<void(const FolderRecord&)>& each, DWORD& error);

// Opens a folder to be listed by FolderRecords, sharing everything so that no other program is
// kept from changing it meanwhile.
HANDLE openFolderForListing(const std::wstring& literalPath);
