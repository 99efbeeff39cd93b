#include "fileops/ByteCount.h"
#include "common/PathUtil.h"
#include "common/ReparseTag.h"
#include "framework/Handles.h"
#include <windows.h>

namespace {
uint64_t sizeOf(const WIN32_FIND_DATAW& data) {
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool isWalkedFolder(DWORD attributes, DWORD tag) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && !marksALink(attributes, tag);
}
}  // namespace

ByteCount::ByteCount(std::vector<std::wstring> paths, std::atomic<uint64_t>& total) {
    startThread([this, paths = std::move(paths), &total] {
        count(paths, total);
        return 0;
    });
}

ByteCount::~ByteCount() {
    stop_ = true;
    waitForEnd(INFINITE);
}

void ByteCount::interrupt() const {
    if (HANDLE thread = threadHandle()) CancelSynchronousIo(thread);
}

void ByteCount::count(const std::vector<std::wstring>& paths, std::atomic<uint64_t>& total) {
    // Below the transfer's own priority: the count only adds to what the dialog shows.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    uint64_t sum = 0;
    for (const std::wstring& path : paths) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (stop_) return;
        if (!GetFileAttributesExW(literalPath(path).c_str(), GetFileExInfoStandard, &data)) continue;
        if (isWalkedFolder(data.dwFileAttributes, reparseTagFor(path, data.dwFileAttributes))) sum += countFolder(path);
        else if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            sum += (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    if (!stop_) total = sum;
}

uint64_t ByteCount::countFolder(const std::wstring& folder) {
    uint64_t sum = 0;
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileExW(literalPath(ensureTrailingBackslash(folder) + L"*").c_str(), FindExInfoBasic,
                                     &data, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return 0;
    do {
        if (stop_) return sum;
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (isWalkedFolder(data.dwFileAttributes, data.dwReserved0)) sum += countFolder(ensureTrailingBackslash(folder) + name);
        else if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) sum += sizeOf(data);
    } while (FindNextFileW(find.get(), &data));
    return sum;
}
