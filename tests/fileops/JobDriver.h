// Runs file jobs from a test: starts them, pumps the user-interface thread until they are gone,
// and answers their same-name questions as a user would.
#pragma once
#include "fileops/FileJob.h"
#include "fileops/TransferJob.h"
#include "resource.h"
#include "support/UiDriver.h"
#include <commctrl.h>
#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// Pumps the user-interface thread until every job started since `before` has deleted itself, doing
// `meanwhile` before each round.
inline bool waitForJobs(int before, int timeoutMs = 20000, void (*meanwhile)() = nullptr) {
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        if (FileJob::liveCount() == before) return true;
        if (meanwhile) meanwhile();
        pumpMessagesFor(10);
    }
    return false;
}

inline bool transfer(const std::vector<std::wstring>& sources, const std::wstring& destination, bool move) {
    const int before = FileJob::liveCount();
    startTransfer(sources, destination, move, nullptr);
    return waitForJobs(before);
}

// Runs a delete, attribute or timestamp job on `paths` until it is gone.
template <typename Job>
bool runItemJob(const std::vector<std::wstring>& paths, const std::function<void(Job&)>& configure = {}) {
    const int before = FileJob::liveCount();
    auto* job = new Job;
    job->attach();
    job->operation().paths = paths;
    if (configure) configure(*job);
    FileJob::start(job, nullptr);
    return waitForJobs(before);
}

// Answers the same-name dialogs of the jobs on this thread, one answer per question, from a
// helper thread as a user would, and keeps what each question offered.
class Answers {
public:
    struct Answer {
        int choice;
        const wchar_t* name = nullptr;  // typed into the name field first
        int button = IDOK;              // or IDC_CONFLICT_ALL, IDCANCEL
        bool figures = false;           // waits until the job's window shows the job's whole size
    };
    struct Offered {
        std::wstring title;
        int checked = 0;
        std::wstring name;
        bool progressShown = false;  // the job's own window, which owns the question
        std::wstring figures;        // that window's line of bytes done, of all, and the rate
        LRESULT jobBar = 0;          // its bar for the whole job, in thousandths
    };

    explicit Answers(std::vector<Answer> answers) {
        const DWORD ui = GetCurrentThreadId();
        thread_ = std::thread([this, ui, answers = std::move(answers)] {
            for (const Answer& a : answers) {
                HWND dialog = waitForWindow(ui, L"同名のファイル|同名のディレクトリ", 10000);
                if (!dialog) return;
                Offered o{windowText(dialog), 0, windowText(GetDlgItem(dialog, IDC_CONFLICT_NAME)),
                          IsWindowVisible(GetWindow(dialog, GW_OWNER)) != FALSE};
                for (int id = IDC_CONFLICT_ONLY_NEWER; id <= IDC_CONFLICT_DELETE; ++id)
                    if (SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED) o.checked = id;
                // The whole is counted on a thread of its own and sampled every 100 ms.
                HWND progress = GetWindow(dialog, GW_OWNER);
                for (int waited = 0; a.figures && waited < 10000; waited += 10) {
                    o.figures = windowText(GetDlgItem(progress, IDC_JOB_FIGURES));
                    o.jobBar = SendDlgItemMessageW(progress, IDC_JOB_BAR, PBM_GETPOS, 0, 0);
                    if (o.figures.find(L'/') != std::wstring::npos) break;
                    Sleep(10);
                }
                offered.push_back(o);
                if (a.name) SendMessageW(GetDlgItem(dialog, IDC_CONFLICT_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a.name));
                SendMessageW(GetDlgItem(dialog, a.choice), BM_CLICK, 0, 0);
                clickButton(dialog, a.button);
                while (IsWindow(dialog)) Sleep(10);
            }
        });
    }
    ~Answers() { finish(); }
    void finish() {
        if (thread_.joinable()) thread_.join();
    }
    std::vector<Offered> offered;

private:
    std::thread thread_;
};


// Answers the message a job shows at its end about the items it passed over, and keeps its text.
class JobReport {
public:
    JobReport() : ui_(GetCurrentThreadId()), thread_([this] { run(); }) {}
    ~JobReport() { finish(); }
    JobReport(const JobReport&) = delete;
    JobReport& operator=(const JobReport&) = delete;

    // Stops looking (call it once the jobs have ended: a job shows its message before it ends) and
    // gives the message's text, empty when none came.
    std::wstring finish() {
        done_ = true;
        if (thread_.joinable()) thread_.join();
        return text_;
    }
    // The width in pixels of the widest message seen; valid after finish().
    int widestBox() const { return widest_; }

private:
    void run() {
        while (!done_) {
            HWND box = waitForWindow(ui_, L"Vantor", 20);
            if (!box) continue;
            text_ += staticTexts(box);
            RECT rc{};
            GetWindowRect(box, &rc);
            widest_ = std::max(widest_, static_cast<int>(rc.right - rc.left));
            clickButton(box, IDOK);
            // Hidden once answered; several jobs' messages may stand nested, so no waiting for it to go.
            for (int waited = 0; waited < 10000 && IsWindowVisible(box); waited += 10) Sleep(10);
        }
    }

    DWORD ui_;
    std::atomic<bool> done_{false};
    std::wstring text_;
    int widest_ = 0;
    std::thread thread_;
};
