// Many small files through each kind of file job (copy, move to another drive, delete, and a move
// of their folder on the same drive) against a plain loop of the platform's own call over the same
// files. Raw loop and job alternate round by round and the figure is the median of the per-round
// ratios, so a machine that is busy for a while weighs on both sides alike.
#include "bench/BenchClock.h"
#include "bench/BenchFigures.h"
#include "bench/BenchFolders.h"
#include "fileops/FileJob.h"
#include "fileops/ItemJobs.h"
#include "fileops/TransferJob.h"
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
constexpr int kFiles = 10000;
// Under Wine each file made in a folder of thousands costs a look through the whole folder, so a
// round of 10,000 files takes minutes: fewer rounds than the other figures.
constexpr int kJobRounds = 3;

void runTransfer(const std::vector<std::wstring>& sources, const std::wstring& target, bool move) {
    const int before = FileJob::liveCount();
    startTransfer(sources, target, move, nullptr);
    waitForJobs(before);
}

void runDelete(const std::vector<std::wstring>& paths) {
    const int before = FileJob::liveCount();
    auto* job = new DeleteJob;
    job->attach();
    job->operation().paths = paths;
    FileJob::start(job, nullptr);
    waitForJobs(before);
}

void removeFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + L"\\" + data.cFileName).c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

// `count` files of 4 KB in a new folder; their paths.
std::vector<std::wstring> makeFiles(const std::wstring& folder, int count) {
    removeFolder(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    static const std::string block(4096, 'v');
    std::vector<std::wstring> files;
    for (int i = 0; i < count; ++i) {
        files.push_back(folder + L"\\small" + std::to_wstring(i) + L".dat");
        HANDLE file = CreateFileW(files.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
        CloseHandle(file);
    }
    return files;
}

// Prints the job's share of the raw throughput (the median of the rounds' raw-to-job ratios) and
// its extra time per file.
// `atLeast`: the share of the raw throughput the goal asks for, 0 for a figure without one.
void figure(const char* name, int files, const TimedStep& raw, const TimedStep& job, const char* goal,
            double atLeast = 0) {
    const Comparison t = compareRounds(raw, job, kJobRounds);
    const double perFile = (t.figure.median - t.raw.median) * 1000.0 / files;
    const double share = t.ratio > 0 ? 1 / t.ratio : 0.0;
    const char* verdict = atLeast <= 0 ? "" : share >= atLeast ? ": met" : ": missed";
    std::printf("%s %d: %.2f ms against %.2f ms raw: %.3f of the raw throughput (median of %d rounds' ratios, "
                "%s%s), %+.1f us per file\n",
                name, files, t.figure.median, t.raw.median, share, kJobRounds, goal, verdict, perFile);
    std::fflush(stdout);
}
}  // namespace

void runFileJobFigures(const BenchOptions& options) {
    const std::wstring source = options.dataRoot + L"\\jobs-source";
    const std::wstring target = options.dataRoot + L"\\jobs-target";
    // Another drive by its letter: the prefix's C: drive, where the temp folder lies.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring otherDrive = std::wstring(temp) + L"vantor-bench-jobs";
    std::vector<std::wstring> files;
    const auto fresh = [&] { files = makeFiles(source, kFiles); };
    const auto emptied = [](const std::wstring& folder) {
        return [folder] {
            removeFolder(folder);
            CreateDirectoryW(folder.c_str(), nullptr);
        };
    };
    const auto freshAndEmpty = [&](const std::wstring& folder) {
        return [&, folder] {
            fresh();
            emptied(folder)();
        };
    };

    if (options.wants("copy small files")) {
        fresh();
        figure("copy small files", kFiles,
               {emptied(target),
                [&] {
                    for (const std::wstring& file : files)
                        CopyFileW(file.c_str(), (target + file.substr(file.rfind(L'\\'))).c_str(), TRUE);
                }},
               {emptied(target), [&] { runTransfer(files, target, false); }},
               "goal >= 0.90", 0.90);
    }
    if (options.wants("move small files to another drive")) {
        figure("move small files to another drive", kFiles,
               {freshAndEmpty(otherDrive),
                [&] {
                    for (const std::wstring& file : files)
                        MoveFileExW(file.c_str(), (otherDrive + file.substr(file.rfind(L'\\'))).c_str(),
                                    MOVEFILE_COPY_ALLOWED);
                }},
               {freshAndEmpty(otherDrive), [&] { runTransfer(files, otherDrive, true); }},
               "no goal: reported for its overhead per file");
        removeFolder(otherDrive);
    }
    if (options.wants("delete small files")) {
        figure("delete small files", kFiles, {fresh, [&] {
                                                  for (const std::wstring& file : files) DeleteFileW(file.c_str());
                                              }},
               // Each item is opened as itself and checked to be no link before it goes; under Wine
               // that check costs about 0.4 of a bare delete's throughput, and the rule stays.
               {fresh, [&] { runDelete(files); }}, "goal >= 0.55", 0.55);
    }
    if (options.wants("move a folder within the drive")) {
        // A move of a folder on its own drive is one rename, however many files it holds.
        fresh();
        const std::wstring moved = target + L"\\jobs-source";
        const auto ready = [&] {
            removeFolder(target);
            CreateDirectoryW(target.c_str(), nullptr);
            if (GetFileAttributesW(source.c_str()) == INVALID_FILE_ATTRIBUTES) MoveFileW(moved.c_str(), source.c_str());
        };
        figure("move a folder within the drive", kFiles, {ready, [&] { MoveFileW(source.c_str(), moved.c_str()); }},
               {ready, [&] { runTransfer({source}, target, true); }}, "goal: one rename, whatever it holds");
        MoveFileW(moved.c_str(), source.c_str());
    }
    removeFolder(source);
    removeFolder(target);
}
