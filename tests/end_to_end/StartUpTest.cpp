#include "support/TempFolder.h"
#include "support/UiDriver.h"
#include "support/SettingsFixture.h"
#include <gtest/gtest.h>
#include <windows.h>

namespace {
// The program's build output as a Windows path (Wine maps the Unix root to drive Z:).
std::wstring programPath() {
    const std::string unix = VANTOR_EXE_UNIX_PATH;
    std::wstring path = L"Z:";
    for (char c : unix) path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
    return path;
}

// Starts a copy of the program, waits for its main window, lets `check` look, then closes it.
template <typename Check>
void runProgram(const std::wstring& exe, Check check) {
    STARTUPINFOW si{sizeof(si)};
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;  // the program shows itself normally whatever it is asked
    PROCESS_INFORMATION pi{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    HWND window = nullptr;
    for (int i = 0; i < 300 && !window; ++i) {
        Sleep(50);
        window = shownMainWindowOf(pi.dwProcessId);
    }
    EXPECT_NE(window, nullptr) << "the main window never appeared";
    if (window) check(window);
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}
}  // namespace

TEST(StartUp, FirstStartCreatesTheMarkOnlyLaterStartsLeaveTheFileAlone) {
    TempFolder dir;
    const std::wstring exe = dir / L"Vantor.exe";
    ASSERT_TRUE(CopyFileW(programPath().c_str(), exe.c_str(), FALSE)) << "no program at the build path";
    const std::wstring ini = dir / L"Vantor.ini";

    runProgram(exe, [&](HWND window) {
        EXPECT_EQ(readFileBytes(ini), std::string("\xFF\xFE"));
        EXPECT_TRUE(IsWindowVisible(window));  // shown although started hidden
    });

    writeUtf16Ini(ini, L"[Disp]\r\nFileSizeCols=7\r\n");
    const std::string before = readFileBytes(ini);
    runProgram(exe, [&](HWND) { EXPECT_EQ(readFileBytes(ini), before); });
}
