// Figures of the folder sizes and the two panes' compare: sizing a tree of 100,000 entries in 10,000
// folders against one raw recursive walk over it, and the compare of 100,000 against 100,000 entries.
#include "bench/BenchClock.h"
#include "bench/BenchFigures.h"
#include "bench/BenchFolders.h"
#include "fileops/FolderSize.h"
#include "listing/FileList.h"
#include "pane/CompareRules.h"
#include <cstdio>

namespace {
constexpr int kTreeFolders = 10000;
constexpr int kFilesPerFolder = 9;  // with the folders themselves, 100,000 entries
constexpr double kSizeSpeedShare = 0.9;  // the sizes take at most 1 / 0.9 of the raw walk
constexpr double kCompareMs = 50;

// Made once beside the other folders; a mark file says it is complete.
std::wstring sizeTree(const std::wstring& root) {
    const std::wstring tree = root + L"\\tree100000";
    const std::wstring done = tree + L".done";
    if (GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES) return tree;
    std::printf("making %ls (once)...\n", tree.c_str());
    std::fflush(stdout);
    CreateDirectoryW(tree.c_str(), nullptr);
    for (int d = 0; d < kTreeFolders; ++d) {
        wchar_t folder[64];
        swprintf(folder, 64, L"\\g%02d", d / 100);
        const std::wstring group = tree + folder;
        if (d % 100 == 0) CreateDirectoryW(group.c_str(), nullptr);
        swprintf(folder, 64, L"\\d%05d", d);
        const std::wstring path = group + folder;
        CreateDirectoryW(path.c_str(), nullptr);
        for (int f = 0; f < kFilesPerFolder; ++f) {
            wchar_t name[32];
            swprintf(name, 32, L"\\f%d.dat", f);
            HANDLE file = CreateFileW((path + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            DWORD written = 0;
            WriteFile(file, "0123456789", static_cast<DWORD>(f + 1), &written, nullptr);
            CloseHandle(file);
        }
    }
    CloseHandle(CreateFileW(done.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return tree;
}

// The yardstick: one recursive FindFirstFileExW(FindExInfoBasic, FIND_FIRST_EX_LARGE_FETCH) walk.
int rawWalk(const std::wstring& folder) {
    int count = 0;
    std::vector<std::wstring> pending{folder + L"\\"};
    while (!pending.empty()) {
        const std::wstring next = std::move(pending.back());
        pending.pop_back();
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileExW((next + L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH);
        if (find == INVALID_HANDLE_VALUE) continue;
        do {
            if (data.cFileName[0] == L'.' && (!data.cFileName[1] || (data.cFileName[1] == L'.' && !data.cFileName[2]))) continue;
            ++count;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                pending.push_back(next + data.cFileName + L"\\");
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    return count;
}
}  // namespace

void runSizeCompareFigures(const BenchOptions& options) {
    if (options.wants("folder sizes")) {
        const std::wstring tree = sizeTree(options.dataRoot);
        int entries = 0;
        FolderTally tally;
        const std::atomic<bool> noStop{false};
        const Comparison t = compareRounds({{}, [&] { entries = rawWalk(tree); }}, {{}, [&] {
                                               CountedFiles counted;
                                               tally = tallyFolder(tree, counted, noStop);
                                           }});
        char remark[160];
        std::snprintf(remark, sizeof remark, "(%llu files, %llu bytes) %s", static_cast<unsigned long long>(tally.files),
                      static_cast<unsigned long long>(tally.bytes), goalRemark(t.ratio, 1.0 / kSizeSpeedShare, "x raw").c_str());
        printFigure("folder sizes of a tree", entries, t, remark);
    }
    if (options.wants("compare")) {
        FileList left, right;
        left.scan(largestFolder(options.dataRoot), L"");
        right.scan(largestFolder(options.dataRoot), L"");
        // Every other file newer on the right, so half the entries are marked.
        for (int i = 0; i < right.size(); i += 2) right.at(i).writeTime += 600000000ull;
        size_t marked = 0;
        const Comparison t = compareWithRawPass(largestFolder(options.dataRoot), [&] {
            marked = compareListings(left.entries(), right.entries(), {}).right.size();
        });
        printFigure("compare by time and size", left.size() - 1, t,
                    countRemark(static_cast<int>(marked), "marked") + " " + goalRemark(t.figure.median, kCompareMs, " ms"));
    }
}
