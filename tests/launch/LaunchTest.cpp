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

TEST(Launch, EveryTargetIsTriedInDisplayOrderAndEachFailedStartSaysSoOnce) {
    TempFolder work;
    for (const wchar_t* name : {L"e.bat", L"c.bat", L"a.bat"}) work.writeFile(name, "@cd > %~n0.ran\r\n");
    const MacroScene scene{work.path(), work.path(), MacroEntry{L"e.bat"},
                           {L"e.bat", L"d-missing.bat", L"c.bat", L"b-missing.bat", L"a.bat"}};
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
    const auto attempts = launch(nullptr, L"$fqM", L"", scene);
    // A failed expansion starts nothing and says nothing; a missing program says so once.
    EXPECT_TRUE(launch(nullptr, L"no-such-program.exe $C", L"", MacroScene{work.path(), work.path()}).empty());
    EXPECT_FALSE(launch(nullptr, L"no-such-program.exe", L"", scene).at(0).started);
    done = true;
    answer.join();
    ASSERT_EQ(attempts.size(), 5u);
    for (size_t i = 0; i < attempts.size(); ++i) {
        EXPECT_EQ(attempts[i].commandLine, L"\"" + (work / scene.targets[i]) + L"\"") << i;
        EXPECT_EQ(attempts[i].started, i % 2 == 0) << i;
    }
    EXPECT_EQ(boxes, std::vector<std::wstring>(3, L"コマンドの起動に失敗しました"));
    for (const wchar_t* ran : {L"e.ran", L"c.ran", L"a.ran"}) EXPECT_NE(linesWritten(work / ran, 1), "") << narrow(ran);
}
