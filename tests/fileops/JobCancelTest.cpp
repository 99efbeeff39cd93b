// Cancel cancels: it breaks off a read stuck in the platform, a job cancelled asks and tells
// nothing more, and the questions of several jobs come one at a time, in the order asked.
#include "common/PlatformAbilities.h"
#include "fileops/FileCopy.h"
#include "fileops/JobLink.h"
#include "fileops/ProgressDialog.h"
#include "support/TempFolder.h"
#include "JobDriver.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <functional>

namespace {
HANDLE emptyPipe = nullptr;
std::atomic<bool> readEntered{false};

// A block read that waits in the platform for bytes that never come, as on a share that stopped answering.
BOOL WINAPI stuckRead(HANDLE, LPVOID buffer, DWORD size, LPDWORD got, LPOVERLAPPED) {
    readEntered = true;
    return ReadFile(emptyPipe, buffer, size, got, nullptr);
}

// Answers each same-name question opened on this thread with "don't transfer", from within its own
// loop, noting its name and whether it opened over another still open. The first one is held until
// a second was asked (shown, or waiting its turn) when `holdFirst` is set.
struct Questions {
    static inline std::vector<std::wstring> asked;
    static inline std::vector<HWND> open;
    static inline bool nested = false, holdFirst = false;
    HHOOK hook = SetWindowsHookExW(WH_CBT, noteQuestion, nullptr, GetCurrentThreadId());
    explicit Questions(bool hold) { asked.clear(), open.clear(), nested = false, holdFirst = hold; }
    ~Questions() { UnhookWindowsHookEx(hook); }

    static LRESULT CALLBACK noteQuestion(int code, WPARAM window, LPARAM detail) {
        const HWND w = reinterpret_cast<HWND>(window);
        if (code == HCBT_DESTROYWND) std::erase(open, w);
        wchar_t title[8] = {};
        GetWindowTextW(w, title, 8);
        if (code == HCBT_ACTIVATE && std::wstring(title).starts_with(L"同名の") && std::ranges::find(open, w) == open.end()) {
            nested |= !open.empty();
            open.push_back(w);
            asked.push_back(windowText(GetDlgItem(w, IDC_CONFLICT_NAME)));
            SetTimer(w, 1, 10, answer);
        }
        return CallNextHookEx(nullptr, code, window, detail);
    }
    static void CALLBACK answer(HWND question, UINT, UINT_PTR, DWORD) {
        if (holdFirst && asked.size() == 1 && ProgressDialog::questionsWaiting() == 0) return;
        KillTimer(question, 1);
        SendDlgItemMessageW(question, IDC_CONFLICT_SKIP, BM_CLICK, 0, 0);
        PostMessageW(question, WM_COMMAND, IDOK, 0);
    }
};

// Handles the jobs' notes until a same-name question is the next one, and leaves that waiting.
bool untilAQuestionIsNext() {
    MSG note{};
    for (int waited = 0; waited < 10000; waited += 5, Sleep(5)) {
        if (!PeekMessageW(&note, nullptr, WM_OPERATION_PROGRESS, WM_OPERATION_PROGRESS, PM_NOREMOVE)) continue;
        if (note.wParam == kSameNameFile) return true;
        PeekMessageW(&note, nullptr, WM_OPERATION_PROGRESS, WM_OPERATION_PROGRESS, PM_REMOVE);
        DispatchMessageW(&note);
    }
    return false;
}
}  // namespace

TEST(JobCancel, BreaksOffAStuckReadAsksNothingMoreAndQuestionsComeOneAtATime) {
    PlatformAbilities loop = platformAbilities();
    loop.copyReportsProgress = false;  // the program's own block loop, whose read the test can hold
    const PlatformAbilitiesOverride branch(loop);
    const auto conflicts = [](const TempFolder& src, const TempFolder& dst, std::initializer_list<const wchar_t*> names) {
        for (const wchar_t* name : names) src.writeFile(name, "new"), dst.writeFile(name, "old");
    };
    const struct Row {
        const char* what;
        std::function<void(const TempFolder& src, const TempFolder& dst, int before)> run;
    } rows[] = {
        {"a cancel breaks off a read stuck in the platform",
         [](const TempFolder& src, const TempFolder& dst, int before) {
             src.writeFile(L"a.bin", std::string(1 << 20, 'a'));
             HANDLE writeEnd = nullptr;
             ASSERT_TRUE(CreatePipe(&emptyPipe, &writeEnd, nullptr, 0));
             readEntered = false;
             const BlockRead normal = swapBlockRead(stuckRead);
             startTransfer({src / L"a.bin"}, dst.path(), false, nullptr);
             for (int waited = 0; waited < 10000 && !readEntered; waited += 10) pumpMessagesFor(10);
             FileJob::cancelAll();
             const bool ended = waitForJobs(before, 5000);
             CloseHandle(writeEnd);  // lets a read the cancel did not reach go, so the job can end
             waitForJobs(before);
             CloseHandle(emptyPipe);
             swapBlockRead(normal);
             EXPECT_TRUE(ended) << "the job waited on in its read after the cancel";
             EXPECT_FALSE(fileExists(dst / L"a.bin")) << "a partial copy was left";
         }},
        {"a question posted just before a cancel is not asked",
         [&](const TempFolder& src, const TempFolder& dst, int before) {
             conflicts(src, dst, {L"a.txt"});
             const Questions questions(false);
             startTransfer({src / L"a.txt"}, dst.path(), false, nullptr);
             ASSERT_TRUE(untilAQuestionIsNext());
             FileJob::cancelAll();
             EXPECT_TRUE(waitForJobs(before));
             EXPECT_EQ(Questions::asked.size(), 0u) << "the cancelled job still asked";
             EXPECT_EQ(readFileBytes(dst / L"a.txt"), "old");
         }},
        {"two jobs' questions come one at a time, in the order asked",
         [&](const TempFolder& src, const TempFolder& dst, int before) {
             conflicts(src, dst, {L"a.txt", L"b.txt"});
             const Questions questions(true);
             startTransfer({src / L"a.txt"}, dst.path(), false, nullptr);
             ASSERT_TRUE(untilAQuestionIsNext());
             startTransfer({src / L"b.txt"}, dst.path(), false, nullptr);
             EXPECT_TRUE(waitForJobs(before));
             EXPECT_FALSE(Questions::nested) << "a question was shown over another one still open";
             EXPECT_EQ(Questions::asked, (std::vector<std::wstring>{L"a.txt", L"b.txt"}));
         }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TempFolder src, dst;
        JobReport report;
        r.run(src, dst, FileJob::liveCount());
        EXPECT_EQ(report.finish(), L"") << "a cancelled job told its end";
    }
}
