// The program as it comes out of the release zip, started from a fresh unpacking by
// tests/package/check-package.sh, which names it in VANTOR_PACKAGED_EXE and the version that
// VERSION holds in VANTOR_VERSION.
#include "support/TempFolder.h"
#include "support/UiDriver.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
std::wstring environment(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    return value ? value : L"";
}

// The file version the exe's version resource gives as text, empty when it has none.
std::wstring fileVersionText(const std::wstring& exe) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(exe.c_str(), 0, size, block.data())) return {};
    wchar_t* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\StringFileInfo\\041104b0\\FileVersion", reinterpret_cast<void**>(&text),
                        &length) || !text)
        return {};
    return text;
}
}  // namespace

TEST(PackagedProgram, ShowsItsWindowAndQuitsCleanlyWithItsSettingsFileWritten) {
    const std::wstring exe = environment(L"VANTOR_PACKAGED_EXE");
    ASSERT_FALSE(exe.empty()) << "run through tests/package/check-package.sh";
    const std::wstring ini = exe.substr(0, exe.size() - 3) + L"ini";
    ASSERT_FALSE(fileExists(ini)) << "the unpacking is not fresh";
    EXPECT_EQ(fileVersionText(exe), environment(L"VANTOR_VERSION"));

    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    // Waiting on the process tells an exe that ends at once from one that is still starting.
    HWND window = nullptr;
    bool exitedEarly = false;
    for (DWORD start = GetTickCount(); !window && GetTickCount() - start < 60000;) {
        if (WaitForSingleObject(pi.hProcess, 50) == WAIT_OBJECT_0) {
            exitedEarly = true;
            break;
        }
        window = shownMainWindowOf(pi.dwProcessId);
    }
    DWORD exitCode = STILL_ACTIVE;
    if (window) {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
        if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 99);
    } else if (!exitedEarly) {
        TerminateProcess(pi.hProcess, 99);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    GetExitCodeProcess(pi.hProcess, &exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    ASSERT_FALSE(exitedEarly) << "the program ended before its main window appeared, exit code " << exitCode;
    ASSERT_NE(window, nullptr) << "the main window never appeared";
    EXPECT_EQ(exitCode, 0u) << "the program did not end cleanly on the exit command";
    // Created with its byte-order mark at start, the window's place written at exit.
    const std::string bytes = readFileBytes(ini);
    ASSERT_GE(bytes.size(), 2u) << "no settings file beside the program";
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE"));
    EXPECT_NE(readUtf16File(ini).find(L"[Window]"), std::wstring::npos);
}
