#include "fileops/JobLink.h"
#include "fileops/FileJob.h"
#include "fileops/FileOperation.h"
#include "fileops/ProgressDialog.h"
#include <algorithm>
#include <utility>

JobLink::~JobLink() {
    if (dialog_) {
        dialog_->detach();
        delete dialog_;
    }
    if (operation_) {
        operation_->detach();
        delete operation_;
    }
}

void JobLink::attach(FileJob* job, FileOperation* operation, ProgressDialog* dialog) {
    job_ = job;
    operation_ = operation;
    dialog_ = dialog;
}

bool JobLink::begin(HWND window) {
    window_ = window;
    if (operation_ && operation_->start()) return true;
    // No worker: the dialog is told the job ended, and the operation that never ran goes.
    FileOperation* unstarted = nullptr;
    {
        std::lock_guard<std::mutex> guard(lock_);
        std::swap(unstarted, operation_);
    }
    if (unstarted) {
        unstarted->detach();
        delete unstarted;
    }
    post(kJobEnded);
    return false;
}

void JobLink::report(const std::wstring& text, int slot) {
    if (slot != 0 && slot != 1) return;
    bool noted;
    {
        std::lock_guard<std::mutex> guard(lock_);
        const size_t length = std::min(text.size(), kSlotCapacity);
        std::copy_n(text.data(), length, slots_[slot]);
        slots_[slot][length] = 0;
        textChanged_ = true;
        noted = std::exchange(textNoted_, true);
    }
    // Both lines are taken together, whichever slot changed.
    if (!noted) post(kTextChanged, 2);
}

void JobLink::post(ProgressNote note, LPARAM lParam) { PostMessageW(window_, WM_OPERATION_PROGRESS, note, lParam); }

void JobLink::recordFailure(const std::wstring& path, DWORD error) {
    std::lock_guard<std::mutex> guard(lock_);
    failures_.add(path, error);
}

void JobLink::recordDone() {
    std::lock_guard<std::mutex> guard(lock_);
    failures_.addDone();
}

std::wstring JobLink::failureSummary() const {
    std::lock_guard<std::mutex> guard(lock_);
    return failures_.summary();
}

std::wstring JobLink::slotText(int slot) const {
    std::lock_guard<std::mutex> guard(lock_);
    return slot == 0 || slot == 1 ? slots_[slot] : L"";
}

void JobLink::takeTexts(std::wstring& source, std::wstring& target) {
    std::lock_guard<std::mutex> guard(lock_);
    source = slots_[0];
    target = slots_[1];
    textChanged_ = false;
}

bool JobLink::endTextPause() {
    std::lock_guard<std::mutex> guard(lock_);
    if (!textChanged_) textNoted_ = false;
    return textChanged_;
}

void JobLink::requestCancel() {
    std::lock_guard<std::mutex> guard(lock_);
    if (!operation_) return;
    cancelRequested_ = true;
    operation_->setCancel();
    operation_->wake();
    // A read or write stuck on a share that stopped answering would otherwise hold the cancel
    // until the network gives up.
    operation_->interruptWaits();
}

void JobLink::abort() {
    std::lock_guard<std::mutex> guard(lock_);
    if (!operation_) return;
    cancelRequested_ = true;
    operation_->setCancel();
}

bool JobLink::cancelRequested() const {
    std::lock_guard<std::mutex> guard(lock_);
    return cancelRequested_;
}

void JobLink::release() {
    std::lock_guard<std::mutex> guard(lock_);
    if (operation_) operation_->wake();
}

void JobLink::operationGone() { halfGone(operation_, dialog_); }

void JobLink::dialogGone() { halfGone(dialog_, operation_); }

template <typename Gone, typename Other>
void JobLink::halfGone(Gone*& gone, Other* const& other) {
    bool last;
    {
        std::lock_guard<std::mutex> guard(lock_);
        gone = nullptr;
        last = other == nullptr;
    }
    // Past this point the link belongs to whichever half deletes the job.
    if (last) delete job_;
}
