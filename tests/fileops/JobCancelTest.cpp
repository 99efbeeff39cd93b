// Cancel cancels: it breaks off a read stuck in the platform, a job cancelled asks and tells
// nothing more, and the questions of several jobs come one at a time, in the order asked.
#include "common/PlatformAbilities.h"
#include "fileops/FileCopy.h"
#include "fileops/JobLink.h"
#include "fileops/ProgressDialog.h"
#include "support/TempFolder.h"
#include "JobDriver.h"
#include <gtest/gtest.h>
#include <atomic>
#include <functional>
#include <thread>

namespace {
HANDLE emptyPipe = nullptr;
std::atomic<bool> readEntered{false};

// A block read that waits in the platform for bytes that never come, as on a share that stopped answering.
BOOL WINAPI stuckRead(HANDLE, LPVOID buffer, DWORD size, LPDWORD got, LPOVERLAPPED) {
    readEntered = true;
    return ReadFile(emptyPipe, buffer, size, got, nullptr);
}

// Counts the same-name questions opened on this thread, however briefly they stand.
struct QuestionsOpened {
    static inline int count = 0;
    HHOOK hook = SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM window, LPARAM detail) -> LRESULT {
            if (code == HCBT_ACTIVATE) {
                wchar_t title[32] = {};
                GetWindowTextW(reinterpret_cast<HWND>(window), title, 32);
                if (std::wstring(title).starts_with(L"同名のファイル")) ++count;
            }
            return CallNextHookEx(nullptr, code, window, detail);
        },
        nullptr, GetCurrentThreadId());
    QuestionsOpened() { count = 0; }
    ~QuestionsOpened() { UnhookWindowsHookEx(hook); }
};

// Handles the jobs' notes until a same-name question is the next one, and leaves that waiting.
bool untilAQuestionIsNext() {
    MSG note{};
    for (int waited = 0; waited < 10000; waited += 5) {
        if (PeekMessageW(&note, nullptr, WM_OPERATION_PROGRESS, WM_OPERATION_PROGRESS, PM_NOREMOVE)) {
            if (note.wParam == kSameNameFile) return true;
            PeekMessageW(&note, nullptr, WM_OPERATION_PROGRESS, WM_OPERATION_PROGRESS, PM_REMOVE);
            DispatchMessageW(&note);
        }
        Sleep(5);
    }
    return false;
}

std::vector<HWND> openQuestions(DWORD ui) {
    std::vector<HWND> found;
    EnumThreadWindows(
        ui,
        [](HWND window, LPARAM list) {
            const std::wstring title = windowText(window);
            if (IsWindowVisible(window) && (title.starts_with(L"同名のファイル") || title.starts_with(L"同名のディレクトリ")))
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Answers every same-name question with "don't transfer", from a thread of its own, noting the
// names asked about in turn and whether a question was ever shown over another one still open.
struct Questions {
    const DWORD ui = GetCurrentThreadId();
    std::atomic<bool> done{false};
    std::vector<std::wstring> asked;
    bool nested = false;
    int waitForSecond = 0;  // the first question is answered only once this many more were asked
    std::thread thread{[this] {
        while (!done) {
            const std::vector<HWND> open = openQuestions(ui);
            if (open.empty()) {
                Sleep(10);
                continue;
            }
            nested |= open.size() > 1;
            HWND question = open.front();
            asked.push_back(windowText(GetDlgItem(question, IDC_CONFLICT_NAME)));
            for (int waited = 0; asked.size() == 1 && waitForSecond > 0 && waited < 10000; waited += 10) {
                if (openQuestions(ui).size() > 1) nested = true;
                if (nested || ProgressDialog::questionsWaiting() >= waitForSecond) break;
                Sleep(10);
            }
            SendMessageW(GetDlgItem(question, IDC_CONFLICT_SKIP), BM_CLICK, 0, 0);
            clickButton(question, IDOK);
            while (IsWindow(question)) Sleep(10);
        }
    }};
    // Stops answering; what was noted may be read from here on.
    void finish() {
        done = true;
        if (thread.joinable()) thread.join();
    }
    ~Questions() { finish(); }
};
}  // namespace

TEST(JobCancel, BreaksOffAStuckReadAsksNothingMoreAndQuestionsComeOneAtATime) {
    PlatformAbilities loop = platformAbilities();
    loop.copyReportsProgress = false;  // the program's own block loop, whose read the test can hold
    const PlatformAbilitiesOverride branch(loop);
    const struct Row {
        const char* what;
        std::function<void(const TempFolder& src, const TempFolder& dst)> run;
    } rows[] = {
        {"a cancel breaks off a read stuck in the platform",
         [](const TempFolder& src, const TempFolder& dst) {
             src.writeFile(L"a.bin", std::string(1 << 20, 'a'));
             HANDLE writeEnd = nullptr;
             ASSERT_TRUE(CreatePipe(&emptyPipe, &writeEnd, nullptr, 0));
             readEntered = false;
             const BlockRead normal = swapBlockRead(stuckRead);
             JobReport report;
             const int before = FileJob::liveCount();
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
             EXPECT_EQ(report.finish(), L"");
         }},
        {"a question posted just before a cancel is not asked",
         [](const TempFolder& src, const TempFolder& dst) {
             src.writeFile(L"a.txt", "new");
             dst.writeFile(L"a.txt", "old");
             JobReport report;
             Questions questions;
             const QuestionsOpened opened;
             const int before = FileJob::liveCount();
             startTransfer({src / L"a.txt"}, dst.path(), false, nullptr);
             ASSERT_TRUE(untilAQuestionIsNext());
             FileJob::cancelAll();
             EXPECT_TRUE(waitForJobs(before));
             questions.finish();
             EXPECT_EQ(QuestionsOpened::count + static_cast<int>(questions.asked.size()), 0) << "the cancelled job still asked";
             EXPECT_EQ(readFileBytes(dst / L"a.txt"), "old");
             EXPECT_EQ(report.finish(), L"");
         }},
        {"two jobs' questions come one at a time, in the order asked",
         [](const TempFolder& src, const TempFolder& dst) {
             for (const wchar_t* name : {L"a.txt", L"b.txt"}) {
                 src.writeFile(name, "new");
                 dst.writeFile(name, "old");
             }
             Questions questions;
             questions.waitForSecond = 1;
             const int before = FileJob::liveCount();
             startTransfer({src / L"a.txt"}, dst.path(), false, nullptr);
             ASSERT_TRUE(untilAQuestionIsNext());
             startTransfer({src / L"b.txt"}, dst.path(), false, nullptr);
             EXPECT_TRUE(waitForJobs(before));
             questions.finish();
             EXPECT_FALSE(questions.nested) << "a question was shown over another one still open";
             EXPECT_EQ(questions.asked, (std::vector<std::wstring>{L"a.txt", L"b.txt"}));
         }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TempFolder src, dst;
        r.run(src, dst);
    }
}
