#include "launch/Launcher.h"
#include "support/FolderDialogDriver.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <thread>

namespace {
// Answers every "error message" box the calling thread shows, until finished; keeps their texts.
class ErrorBoxes {
public:
    ErrorBoxes() : thread_([this, ui = GetCurrentThreadId()] {
        while (!done_) {
            if (HWND box = waitForWindow(ui, L"error message", 100)) {
                texts_.push_back(staticTexts(box));
                clickButton(box, IDOK);
                waitUntilGone(box);
            }
        }
    }) {}
    std::vector<std::wstring> finish() {
        done_ = true;
        thread_.join();
        return texts_;
    }

private:
    std::atomic<bool> done_{false};
    std::vector<std::wstring> texts_;
    std::thread thread_;
};

// The file's text once a started program has written `lines` lines into it; empty after 10 s.
std::string linesWritten(const std::wstring& path, int lines) {
    for (int waited = 0; waited < 10000; waited += 50, Sleep(50)) {
        const std::string text = readFileBytes(path);
        if (std::count(text.begin(), text.end(), '\n') >= lines) return text;
    }
    return {};
}

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }
}  // namespace

TEST(Launch, StartsTheExpandedCommandLineInTheStartFolder) {
    TempFolder work, tools;
    const MacroScene scene{work.path(), tools.path(), MacroEntry{L"My File.txt"}, {L"My File.txt"}};
    const struct { std::wstring startFolder, ranIn; } rows[] = {{L"", work.path()}, {tools.path(), tools.path()}};
    for (const auto& r : rows) {
        SCOPED_TRACE(narrow(r.ranIn));
        const auto attempts = launch(nullptr, L"cmd /c echo $qC $fqC> out.txt& cd>> out.txt", r.startFolder, scene);
        ASSERT_EQ(attempts.size(), 1u);
        EXPECT_TRUE(attempts[0].started);
        EXPECT_EQ(linesWritten(r.ranIn + L"\\out.txt", 2),
                  "\"My File.txt\" \"" + narrow(work.path()) + "\\My File.txt\"\r\n" + narrow(r.ranIn) + "\r\n");
    }
}

TEST(Launch, EveryTargetIsTriedInDisplayOrderAndEachFailedStartSaysSoOnce) {
    TempFolder work;
    for (const wchar_t* name : {L"e.bat", L"c.bat", L"a.bat"}) work.writeFile(name, "@cd > %~n0.ran\r\n");
    const MacroScene scene{work.path(), work.path(), MacroEntry{L"e.bat"},
                           {L"e.bat", L"d-missing.bat", L"c.bat", L"b-missing.bat", L"a.bat"}};
    ErrorBoxes boxes;
    const auto attempts = launch(nullptr, L"$fqM", L"", scene);
    const std::vector<std::wstring> texts = boxes.finish();
    ASSERT_EQ(attempts.size(), 5u);
    for (size_t i = 0; i < attempts.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(attempts[i].commandLine, L"\"" + (work / scene.targets[i]) + L"\"");
        EXPECT_EQ(attempts[i].started, i % 2 == 0);
    }
    EXPECT_EQ(texts, std::vector<std::wstring>(2, L"コマンドの起動に失敗しました"));
    for (const wchar_t* ran : {L"e.ran", L"c.ran", L"a.ran"}) EXPECT_FALSE(linesWritten(work / ran, 1).empty()) << narrow(ran);

    ErrorBoxes missing;  // a failed expansion starts nothing and says nothing
    EXPECT_TRUE(launch(nullptr, L"no-such-program.exe $C", L"", MacroScene{work.path(), work.path()}).empty());
    EXPECT_TRUE(launch(nullptr, L"no-such-program.exe", L"", scene)[0].started == false);
    EXPECT_EQ(missing.finish().size(), 1u);
}
