// The benchmark program: vantor_bench <data root> <Vantor.exe> [filter] prints one line per figure;
// vantor_bench --memory <folder> <warm-up folder> <settings> <goal bytes per entry, 0 for none> and
// vantor_bench --find-memory <folder> are its own children for the memory figures, so that each
// starts from a fresh process.
#include "bench/BenchFigures.h"
#include "bench/BenchFolders.h"
#include <windows.h>
#include <cstdio>
#include <string>

namespace {
std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

void runMemoryChild(const BenchOptions& options, const std::wstring& folder, const wchar_t* goalBytes) {
    runBenchChild(L"--memory \"" + folder + L"\" \"" + benchFolders(options.dataRoot).front().path + L"\" \"" +
                  options.settingsPath + L"\" " + goalBytes);
}
}  // namespace

void runBenchChild(const std::wstring& arguments) {
    wchar_t self[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return;
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" " + arguments;
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

int wmain(int argc, wchar_t** argv) {
    if (argc == 6 && std::wstring(argv[1]) == L"--memory") {
        runMemoryFigure(argv[2], argv[3], argv[4], _wtof(argv[5]));
        return 0;
    }
    if (argc == 3 && std::wstring(argv[1]) == L"--find-memory") {
        runFindMemoryFigure(argv[2]);
        return 0;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: vantor_bench <data root> <Vantor.exe> [figure filter]\n");
        return 2;
    }
    BenchOptions options;
    options.dataRoot = argv[1];
    options.programPath = argv[2];
    if (argc > 3) options.filter = narrow(argv[3]);
    // Beside the measured folders, where no test looks.
    options.settingsPath = options.dataRoot + L"\\vantor-bench.ini";
    DeleteFileW(options.settingsPath.c_str());

    runListingFigures(options);
    runSizeCompareFigures(options);
    if (options.wants("memory")) {
        runMemoryChild(options, largestFolder(options.dataRoot), L"0");
        runMemoryChild(options, millionFolder(options.dataRoot), L"110");
    }
    runWindowFigures(options);
    runMillionWindowFigures(options);
    runStartUpFigures(options);
    runCopyFigures(options);
    runFileJobFigures(options);
    runFindFigures(options);
    runToolWindowFigures(options);
    // Last: its 20,000 files made and deleted leave the disk busy for the figures after it.
    runStormFigures(options);
    return 0;
}
