// The program's start-up to a shown main window, on an empty folder and on 100,000 entries: a copy
// of Vantor.exe with a settings file whose histories start the left pane in the measured folder.
#include "bench/BenchClock.h"
#include "bench/BenchFigures.h"
#include "bench/BenchFolders.h"
#include "framework/Handles.h"
#include <cstdio>

namespace {
struct Search {
    DWORD processId;
    HWND window;
};

BOOL CALLBACK findShownMainWindow(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->processId && IsWindowVisible(hwnd) && GetMenu(hwnd)) {
        search->window = hwnd;
        return FALSE;
    }
    return TRUE;
}

void writeUtf16(const std::wstring& path, const std::wstring& text) {
    UniqueHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    DWORD written = 0;
    WriteFile(file.get(), "\xFF\xFE", 2, &written, nullptr);
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
}

// Milliseconds from CreateProcess to the visible main window; negative when it never came.
double startOnce(const std::wstring& exe) {
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    const double start = nowMs();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    UniqueHandle process(pi.hProcess), thread(pi.hThread);
    Search search{pi.dwProcessId, nullptr};
    double shown = -1;
    while (nowMs() - start < 30000) {
        EnumWindows(&findShownMainWindow, reinterpret_cast<LPARAM>(&search));
        if (search.window) {
            shown = nowMs() - start;
            break;
        }
        if (WaitForSingleObject(process.get(), 1) == WAIT_OBJECT_0) break;
    }
    if (search.window) PostMessageW(search.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) TerminateProcess(process.get(), 1);
    return shown;
}
}  // namespace

void runStartUpFigures(const BenchOptions& options) {
    if (!options.wants("start-up")) return;
    const std::wstring dir = options.dataRoot + L"\\start-up";
    CreateDirectoryW(dir.c_str(), nullptr);
    const std::wstring exe = dir + L"\\Vantor.exe";
    if (!CopyFileW(options.programPath.c_str(), exe.c_str(), FALSE)) {
        std::printf("start-up: the program could not be copied\n");
        return;
    }
    const std::wstring empty = emptyFolder(options.dataRoot);
    double emptyMedian = 0;
    for (const std::wstring& folder : {empty, largestFolder(options.dataRoot)}) {
        std::vector<double> samples;
        for (int run = 0; run < 8; ++run) {
            // Written before every start: the program stores its placement and histories at exit.
            writeUtf16(dir + L"\\Vantor.ini", L"[Hist0]\r\nD0=" + folder + L"\r\n[Hist1]\r\nD0=" + empty + L"\r\n");
            const double ms = startOnce(exe);
            if (ms < 0) {
                std::printf("start-up: the main window never appeared\n");
                return;
            }
            if (run > 0) samples.push_back(ms);
        }
        const Timing t = summarise(samples);
        const int entries = folder == empty ? 0 : 100000;
        if (folder == empty) {
            emptyMedian = t.median;
            printFigure("start-up", entries, t, largestFolder(options.dataRoot));
        } else {
            const double raw = rawTiming(folder).median;
            char remark[96];
            std::snprintf(remark, sizeof remark, "(%.2f raw passes over the empty start)",
                          raw > 0 ? (t.median - emptyMedian) / raw : 0.0);
            printFigure("start-up", entries, t, folder, remark);
        }
    }
}
