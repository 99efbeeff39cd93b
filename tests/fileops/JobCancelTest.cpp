// Cancel cancels: it breaks off a read stuck in the platform, a job cancelled asks and tells
// nothing more, and the questions of several jobs come one at a time, in the order asked.
#include "common/PlatformAbilities.h"
#include "fileops/FileCopy.h"
#include "fileops/ProgressDialog.h"
#include "support/TempFolder.h"
#include "JobDriver.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>

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
// a second was asked (shown, or waiting its turn) when `holdFirst` is set, for 10 s at most.
struct Questions {
    static inline std::vector<std::wstring> asked;
    static inline std::vector<HWND> shown;
    static inline bool nested = false, holdFirst = false;
    static inline int heldTicks = 0;
    HHOOK hook = SetWindowsHookExW(WH_CBT, noteQuestion, nullptr, GetCurrentThreadId());
    explicit Questions(bool hold) { asked.clear(), shown.clear(), nested = false, holdFirst = hold, heldTicks = 0; }
    ~Questions() { UnhookWindowsHookEx(hook); }

    static LRESULT CALLBACK noteQuestion(int code, WPARAM window, LPARAM detail) {
        const HWND w = reinterpret_cast<HWND>(window);
        if (code == HCBT_ACTIVATE && windowText(w).starts_with(L"同名の") && std::ranges::find(shown, w) == shown.end()) {
            nested |= std::ranges::any_of(shown, IsWindow);
            shown.push_back(w);
            asked.push_back(windowText(GetDlgItem(w, IDC_CONFLICT_NAME)));
            SetTimer(w, 1, 10, answer);
        }
        return CallNextHookEx(nullptr, code, window, detail);
    }
    static void CALLBACK answer(HWND question, UINT, UINT_PTR, DWORD) {
        if (holdFirst && asked.size() == 1 && ProgressDialog::questionsWaiting() == 0 && ++heldTicks < 1000) return;
        KillTimer(question, 1);
        SendDlgItemMessageW(question, IDC_CONFLICT_SKIP, BM_CLICK, 0, 0);
        PostMessageW(question, WM_COMMAND, IDOK, 0);
    }
};

// Handles the jobs' notes until the first job's read is held, or until a same-name question is the
// next note, and leaves that waiting.
bool untilHeldOrAsked() {
    MSG note{};
    for (int waited = 0; waited < 10000 && !readEntered; waited += 5, Sleep(5)) {
        if (!PeekMessageW(&note, nullptr, WM_OPERATION_PROGRESS, WM_OPERATION_PROGRESS, PM_NOREMOVE)) continue;
        if (note.wParam == kSameNameFile) return true;
        PeekMessageW(&note, nullptr, WM_OPERATION_PROGRESS, WM_OPERATION_PROGRESS, PM_REMOVE);
        DispatchMessageW(&note);
    }
    return readEntered;
}
}  // namespace

TEST(JobCancel, BreaksOffAStuckReadAsksNothingMoreAndQuestionsComeOneAtATime) {
    PlatformAbilities loop = platformAbilities();
    loop.copyReportsProgress = false;  // the program's own block loop, whose read the test can hold
    const PlatformAbilitiesOverride branch(loop);
    // The first job copies a.bin, its read held, or asks about a.txt; then comes a cancel, or a second
    // job that asks about b.txt. A cancelled job tells nothing, not even of the source it could not find
    // first, nor do jobs whose answers skipped all.
    const struct {
        const char* what;
        std::vector<std::wstring> first;
        const wchar_t* second;
        std::vector<std::wstring> asked;
    } rows[] = {
        {"a cancel breaks off a read stuck in the platform", {L"gone.txt", L"a.bin"}, nullptr, {}},
        {"a question posted just before a cancel is not asked", {L"gone.txt", L"a.txt"}, nullptr, {}},
        {"two jobs' questions come one at a time, in the order asked", {L"a.txt"}, L"b.txt", {L"a.txt", L"b.txt"}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        TempFolder src, dst;
        src.writeFile(L"a.bin", std::string(1 << 20, 'a'));
        for (const wchar_t* name : {L"a.txt", L"b.txt"}) src.writeFile(name, "new"), dst.writeFile(name, "old");
        HANDLE writeEnd = nullptr;
        ASSERT_TRUE(CreatePipe(&emptyPipe, &writeEnd, nullptr, 0));
        readEntered = false;
        const BlockRead normal = swapBlockRead(stuckRead);
        JobReport report;
        const Questions questions(r.second != nullptr);
        const int before = FileJob::liveCount();
        std::vector<std::wstring> first;
        for (const std::wstring& name : r.first) first.push_back(src / name);
        startTransfer(first, dst.path(), false, nullptr);
        const bool reached = untilHeldOrAsked();
        if (r.second) startTransfer({src / r.second}, dst.path(), false, nullptr);
        // Cancelled until it ends: a cancel that comes before the read is in the platform finds
        // nothing to break off, and the read then waits.
        const bool ended = waitForJobs(before, 10000, r.second ? nullptr : FileJob::cancelAll);
        CloseHandle(writeEnd);  // lets a read the cancel did not reach go, so the job can end
        waitForJobs(before);
        CloseHandle(emptyPipe);
        swapBlockRead(normal);
        EXPECT_TRUE(reached) << "the first job neither read nor asked";
        EXPECT_TRUE(ended) << "the jobs went on after the cancel or the answers";
        EXPECT_FALSE(fileExists(dst / L"a.bin")) << "a partial copy was left";
        EXPECT_FALSE(Questions::nested) << "a question was shown over another one still open";
        EXPECT_EQ(Questions::asked, r.asked) << "the questions asked, in turn";
        EXPECT_EQ(readFileBytes(dst / L"a.txt") + readFileBytes(dst / L"b.txt"), "oldold");
        EXPECT_EQ(report.finish(), L"") << "a job told its end";
    }
}
