// The program's start-up to a shown main window, on an empty folder and on 100,000 entries: a copy
// of Vantor.exe with a settings file whose histories start the left pane in the measured folder.
#include "bench/BenchClock.h"
#include "bench/BenchFigures.h"
#include "bench/BenchFolders.h"
#include "framework/Handles.h"
#include <cstdio>
#include <utility>

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

// One start of the program, timed from CreateProcess to its visible main window; closed untimed.
class ProgramStart {
public:
    // False when the process could not be made or its window never came.
    bool start(const std::wstring& exe) {
        STARTUPINFOW si{sizeof(si)};
        PROCESS_INFORMATION pi{};
        std::wstring commandLine = L"\"" + exe + L"\"";
        const double begun = nowMs();
        if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return false;
        process_ = UniqueHandle(pi.hProcess);
        CloseHandle(pi.hThread);
        Search search{pi.dwProcessId, nullptr};
        while (nowMs() - begun < 30000) {
            EnumWindows(&findShownMainWindow, reinterpret_cast<LPARAM>(&search));
            if (search.window || WaitForSingleObject(process_.get(), 1) == WAIT_OBJECT_0) break;
        }
        window_ = search.window;
        return window_ != nullptr;
    }
    void close() {
        if (window_) PostMessageW(std::exchange(window_, nullptr), WM_CLOSE, 0, 0);
        if (process_ && WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) TerminateProcess(process_.get(), 1);
        process_ = UniqueHandle();
    }

private:
    UniqueHandle process_;
    HWND window_ = nullptr;
};
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
        ProgramStart program;
        bool started = true;
        const Comparison t = compareWithRawPass(
            largestFolder(options.dataRoot), [&] { started = program.start(exe) && started; },
            [&] {
                program.close();
                // Written before every start: the program stores its placement and histories at exit.
                writeUtf16(dir + L"\\Vantor.ini", L"[Hist0]\r\nD0=" + folder + L"\r\n[Hist1]\r\nD0=" + empty + L"\r\n");
            });
        program.close();
        if (!started) {
            std::printf("start-up: the main window never appeared\n");
            return;
        }
        if (folder == empty) {
            emptyMedian = t.figure.median;
            printFigure("start-up", 0, t);
        } else {
            char remark[96];
            std::snprintf(remark, sizeof remark, "(%.2f raw passes over the empty start)",
                          t.raw.median > 0 ? (t.figure.median - emptyMedian) / t.raw.median : 0.0);
            printFigure("start-up", 100000, t, remark);
        }
    }
}
