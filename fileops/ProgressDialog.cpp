#include "fileops/ProgressDialog.h"
#include "common/VisibleName.h"
#include "fileops/ConflictDialog.h"
#include "fileops/JobLink.h"
#include "framework/MessageBox.h"
#include "resource.h"
#include <commctrl.h>
#include <algorithm>
#include <deque>

namespace {
// The jobs' same-name questions, one at a time and in the order they were asked: a question shown
// while another is open would run inside that one's modal loop, and the job that asked first would
// wait until the later question is answered.
struct WaitingQuestion {
    HWND dialog;
    WPARAM note;
};
std::deque<WaitingQuestion> waitingQuestions;
bool asking = false;
}  // namespace

ProgressDialog::ProgressDialog(JobLink& link, UINT templateId, const wchar_t* label)
    : Dialog(templateId), link_(&link), label_(label) {}

ProgressDialog::~ProgressDialog() {
    if (!link_) return;
    link_->requestCancel();
    link_->dialogGone();
}

const MessageMap* ProgressDialog::messageMap() const {
    static const MessageEntry entries[] = {
        onMessage<WM_OPERATION_PROGRESS, &ProgressDialog::onProgress>(),
        onMessage<WM_TIMER, &ProgressDialog::onTimer>(),
    };
    static const MessageMap map{Dialog::messageMap(), entries};
    return &map;
}

bool ProgressDialog::onInitDialog() {
    Dialog::onInitDialog();
    for (int id : {IDC_JOB_SOURCE, IDC_JOB_TARGET}) {
        HWND line = item(id);
        SetWindowLongPtrW(line, GWL_STYLE, GetWindowLongPtrW(line, GWL_STYLE) | SS_PATHELLIPSIS);
    }
    if (label_) setItemText(IDC_JOB_SOURCE_LABEL, label_);
    for (int id : {IDC_JOB_FILE_BAR, IDC_JOB_BAR}) SendDlgItemMessageW(hwnd_, id, PBM_SETRANGE32, 0, 1000);
    SetTimer(hwnd_, kShowTimer, kShowDelayMs, nullptr);
    if (link_) link_->begin(hwnd_);
    // No focus: the keys the user types go on reaching the pane; only a click makes this window
    // the one they reach (and so only the user's own action on it cancels the job).
    return false;
}

void ProgressDialog::showNow() {
    KillTimer(hwnd_, kShowTimer);
    if (IsWindowVisible(hwnd_)) return;
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    if (item(IDC_JOB_FIGURES)) {
        showFigures();
        SetTimer(hwnd_, kFiguresTimer, kFiguresMs, nullptr);
    }
}

void ProgressDialog::showFigures() {
    if (!link_) return;
    const JobBytes& bytes = link_->bytes;
    const uint64_t done = bytes.done, total = bytes.total;
    rate_.add(GetTickCount64(), done);
    // A count that came out short (links are not counted) is not shown as less than what is done.
    const uint64_t whole = total == 0 ? 0 : std::max(total, done);
    SendDlgItemMessageW(hwnd_, IDC_JOB_FILE_BAR, PBM_SETPOS, thousandths(bytes.fileDone, bytes.fileSize), 0);
    SendDlgItemMessageW(hwnd_, IDC_JOB_BAR, PBM_SETPOS, thousandths(done, whole), 0);
    std::wstring figures = progressFigures(done, whole, rate_.bytesPerSecond());
    if (figures != figures_) setItemText(IDC_JOB_FIGURES, figures_ = std::move(figures));
}

void ProgressDialog::showTexts(LPARAM lines) {
    std::wstring source, target;
    link_->takeTexts(source, target);
    if (lines != 1) setItemText(IDC_JOB_SOURCE, visibleName(source));
    if (lines != 0) setItemText(IDC_JOB_TARGET, visibleName(target));
    SetTimer(hwnd_, kTextPauseTimer, kTextPauseMs, nullptr);
}

void ProgressDialog::onTimer(WPARAM id, LPARAM) {
    if (id == kShowTimer) showNow();
    if (id == kFiguresTimer) showFigures();
    if (id != kTextPauseTimer || !link_) return;
    KillTimer(hwnd_, kTextPauseTimer);
    if (link_->endTextPause()) showTexts(2);
}

void ProgressDialog::onCancel() {
    if (link_) link_->requestCancel();
    DestroyWindow(hwnd_);
}

void ProgressDialog::ask(WPARAM note) {
    // A question that came just before a cancel is not put to the user: the job asks nothing more.
    if (link_->cancelRequested()) {
        link_->release();
        return;
    }
    showNow();  // the question belongs to a window the user can see
    asking = true;
    ConflictDialog question(note == kSameNameFile ? ConflictDialog::kFile : ConflictDialog::kFolder, link_->decision);
    // Only an answer lets the worker go on: a question that ends without one (its window went with
    // the main window) stops the job, so nothing is overwritten that the user did not choose. This
    // dialog outlives the question even then: the framework releases it only once this handler has
    // returned.
    const bool answered = question.doModal(hwnd_) == IDOK;
    asking = false;
    if (!answered) link_->abort();
    link_->release();
}

LRESULT ProgressDialog::onProgress(WPARAM wParam, LPARAM lParam) {
    if (!link_) return 0;
    switch (wParam) {
    case kJobEnded: {
        // Items passed over are told once, at the end, over the window the job was started from;
        // a job the user cancelled tells nothing more.
        const std::wstring failures = link_->failureSummary();
        if (!failures.empty() && !link_->cancelRequested())
            showMessageBox(GetWindow(hwnd_, GW_OWNER), failures, MB_OK | MB_ICONEXCLAMATION);
        onCancel();
        break;
    }
    case kTextChanged:
        showTexts(lParam);
        break;
    case kSameNameFile:
    case kSameNameFolder:
        if (asking) {
            waitingQuestions.push_back({hwnd_, wParam});
            questionsWaiting_ = static_cast<int>(waitingQuestions.size());
            break;
        }
        ask(wParam);
        // The next question asked meanwhile; one whose job's window went is passed over (that job
        // was cancelled with its window).
        while (!waitingQuestions.empty()) {
            const WaitingQuestion next = waitingQuestions.front();
            waitingQuestions.pop_front();
            questionsWaiting_ = static_cast<int>(waitingQuestions.size());
            if (PostMessageW(next.dialog, WM_OPERATION_PROGRESS, next.note, 0)) break;
        }
        break;
    default:
        break;
    }
    return 0;
}
