#include "launch/Launcher.h"
#include "support/FolderDialogDriver.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <thread>

namespace {
// The file's text once a started program has written `lines` lines into it; empty after 10 s.
std::string linesWritten(const std::wstring& path, int lines) {
    for (int waited = 0; waited < 10000; waited += 50, Sleep(50))
        if (const std::string text = readFileBytes(path); std::count(text.begin(), text.end(), '\n') >= lines) return text;
    return {};
}
std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }
}  // namespace

TEST(Launch, StartsTheExpandedCommandLineInTheStartFolder) {
    TempFolder work, tools;
    const MacroScene scene{work.path(), tools.path(), MacroEntry{L"My File.txt"}, {L"My File.txt"}};
    for (const std::wstring& startFolder : {std::wstring(), tools.path()}) {
        const std::wstring ranIn = startFolder.empty() ? work.path() : startFolder;
        SCOPED_TRACE(narrow(ranIn));
        const auto attempts = launch(nullptr, L"cmd /c echo $qC $fqC> out.txt& cd>> out.txt", startFolder, scene);
        ASSERT_EQ(attempts.size(), 1u);
        EXPECT_TRUE(attempts[0].started);
        EXPECT_EQ(linesWritten(ranIn + L"\\out.txt", 2),
                  "\"My File.txt\" \"" + narrow(work.path()) + "\\My File.txt\"\r\n" + narrow(ranIn) + "\r\n");
    }
}

TEST(Launch, TargetsStartInDisplayOrderAndTheFirstFailedStartSaysSoOnceAndEndsTheRun) {
    TempFolder work;
    for (const wchar_t* name : {L"e.bat", L"c.bat", L"a.bat"}) work.writeFile(name, "@cd > %~n0.ran\r\n");
    // A line of `length` characters that starts this test program only to list no tests, which
    // takes any line (the command interpreter's own buffers are far shorter).
    const auto lineOf = [](size_t length) {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        const std::wstring line = L"\"" + std::wstring(self) + L"\" --gtest_filter=none --gtest_list_tests ";
        return line + std::wstring(length - line.size(), L'x');
    };
    const struct Row {
        const char* what;
        std::wstring macro;
        std::vector<std::wstring> targets;
        std::vector<bool> started;  // one per attempt, in order
        std::vector<const wchar_t*> ran;
    } rows[] = {
        {"every target starts", L"$fqM", {L"e.bat", L"c.bat", L"a.bat"}, {true, true, true}, {L"e.ran", L"c.ran", L"a.ran"}},
        {"a failed start ends the run", L"$fqM", {L"e.bat", L"d-missing.bat", L"c.bat", L"b-missing.bat", L"a.bat"},
         {true, false}, {L"e.ran"}},
        {"the first start fails", L"$fqM", {L"d-missing.bat", L"e.bat"}, {false}, {}},
        {"a missing program", L"no-such-program.exe", {L"e.bat"}, {false}, {}},
        {"a failed expansion starts nothing and says nothing", L"no-such-program.exe $M", {}, {}, {}},
        {"the longest line the platform takes whole", lineOf(32766), {L"e.bat"}, {true}, {}},
        {"a line the platform would cut", lineOf(32767), {L"e.bat"}, {false}, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const MacroScene scene{work.path(), work.path(), MacroEntry{L"e.bat"}, r.targets};
        std::vector<std::wstring> boxes;  // every "error message" box, answered as it comes
        std::atomic<bool> done{false};
        std::thread answer([&, ui = GetCurrentThreadId()] {
            while (!done)
                if (HWND box = waitForWindow(ui, L"error message", 100)) {
                    boxes.push_back(staticTexts(box));
                    clickButton(box, IDOK);
                    waitUntilGone(box);
                }
        });
        const auto attempts = launch(nullptr, r.macro, L"", scene);
        done = true;
        answer.join();
        std::vector<bool> started;
        for (size_t i = 0; i < attempts.size(); ++i) {
            started.push_back(attempts[i].started);
            if (r.macro == L"$fqM") EXPECT_EQ(attempts[i].commandLine, L"\"" + (work / r.targets[i]) + L"\"") << i;
        }
        EXPECT_EQ(started, r.started);
        const bool failed = std::find(r.started.begin(), r.started.end(), false) != r.started.end();
        EXPECT_EQ(boxes, std::vector<std::wstring>(failed ? 1 : 0, L"コマンドの起動に失敗しました"));
        for (const wchar_t* ran : r.ran) EXPECT_NE(linesWritten(work / ran, 1), "") << narrow(ran);
        for (const wchar_t* ran : {L"e.ran", L"c.ran", L"a.ran"}) DeleteFileW((work / ran).c_str());
    }
}
