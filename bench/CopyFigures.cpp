// Copying through a file job (worker, progress dialog, the message loop) against a plain
// CopyFileW loop over the same files into an empty folder, the two in turn round by round.
#include "bench/BenchClock.h"
#include "bench/BenchFigures.h"
#include "bench/BenchFolders.h"
#include "fileops/FileJob.h"
#include "fileops/TransferJob.h"
#include <cstdio>

namespace {
std::vector<std::wstring> filesOf(const std::wstring& folder) {
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(folder + L"\\" + data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return files;
}

void emptyFolderAgain(const std::wstring& folder) {
    for (const std::wstring& file : filesOf(folder)) DeleteFileW(file.c_str());
    CreateDirectoryW(folder.c_str(), nullptr);
}

void runJob(const std::vector<std::wstring>& files, const std::wstring& target) {
    const int before = FileJob::liveCount();
    startTransfer(files, target, false, nullptr);
    waitForJobs(before);
}
}  // namespace

void waitForJobs(int before) {
    // The last half of a job to go may be its worker, which sends the loop no message.
    const HANDLE ended = FileJob::endedEvent();
    while (FileJob::liveCount() != before) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (FileJob::liveCount() == before) break;
        MsgWaitForMultipleObjects(1, &ended, FALSE, 1000, QS_ALLINPUT);
    }
}

void runCopyFigures(const BenchOptions& options) {
    const struct { const char* figure; std::wstring folder; } sets[] = {
        {"copy 1 MB files", copyFolder(options.dataRoot, L"copy1000")},
        {"copy 1 GB file", copyFolder(options.dataRoot, L"copy1g")},
    };
    for (const auto& set : sets) {
        if (!options.wants(set.figure)) continue;
        const std::vector<std::wstring> files = filesOf(set.folder);
        uint64_t bytes = 0;
        for (const std::wstring& file : files) {
            WIN32_FILE_ATTRIBUTE_DATA data;
            if (GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data))
                bytes += (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        }
        const std::wstring target = set.folder + L"-target";
        // Both start from an emptied target, so that both meet the same state of the disk.
        const auto emptied = [&] { emptyFolderAgain(target); };
        const Comparison t = compareRounds({emptied,
                                            [&] {
                                                for (const std::wstring& file : files) {
                                                    const std::wstring name = file.substr(file.rfind(L'\\'));
                                                    CopyFileW(file.c_str(), (target + name).c_str(), TRUE);
                                                }
                                            }},
                                           {emptied, [&] { runJob(files, target); }});
        emptyFolderAgain(target);
        RemoveDirectoryW(target.c_str());
        const double mb = static_cast<double>(bytes) / 1048576.0;
        // The median of the rounds' ratios inverted is the median of their throughput ratios (odd count).
        std::printf("%s %zu: %.2f ms (%.2fx raw copy)  [min %.2f, max %.2f; raw CopyFileW loop %.2f ms]  "
                    "%.0f MB/s against %.0f MB/s raw: %.3f of the raw throughput (median of %d rounds' ratios, "
                    "goal >= 0.95)\n",
                    set.figure, files.size(), t.figure.median, t.ratio, t.figure.min, t.figure.max, t.raw.median,
                    mb / (t.figure.median / 1000.0), mb / (t.raw.median / 1000.0), t.ratio > 0 ? 1 / t.ratio : 0.0,
                    kRounds);
        std::fflush(stdout);
    }
}
