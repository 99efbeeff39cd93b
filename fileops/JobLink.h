// What the two halves of a file job share: the worker (the operation, on its own thread) and the
// progress dialog (on the user-interface thread). The worker reports paths and asks same-name
// questions by posted messages; the dialog cancels, answers and releases the worker.
//
// Either half may end first, on its own thread. Each half, as it goes, clears its pointer here under
// the link's lock and looks at the other's; the one that finds the other already gone deletes the
// job. The lock orders the two, so exactly one of them deletes it, and the user-interface side
// reaches the operation only through the pointer under the same lock, so never after the operation
// has gone.
#pragma once
#include "fileops/ConflictDecision.h"
#include "fileops/JobFailures.h"
#include "fileops/JobProgress.h"
#include <windows.h>
#include <mutex>
#include <string>

class FileJob;
class FileOperation;
class ProgressDialog;

// Posted by a worker to its progress dialog; wParam is a ProgressNote, lParam a text slot.
constexpr UINT WM_OPERATION_PROGRESS = WM_USER + 101;
enum ProgressNote : WPARAM { kJobEnded = 0, kTextChanged = 1, kSameNameFile = 2, kSameNameFolder = 3 };

class JobLink {
public:
    static constexpr size_t kSlotCapacity = 260;

    JobLink() = default;
    // Deletes a dialog and an operation that never started.
    ~JobLink();
    JobLink(const JobLink&) = delete;
    JobLink& operator=(const JobLink&) = delete;

    void attach(FileJob* job, FileOperation* operation, ProgressDialog* dialog);
    FileOperation* unstartedOperation() const { return operation_; }
    ProgressDialog* unstartedDialog() const { return dialog_; }
    // The dialog's window exists: messages go to it from now on, and the worker starts. False when
    // the worker's thread could not be started (the operation is gone then).
    bool begin(HWND window);
    HWND window() const { return window_; }

    // Worker side. A report posts a note only when no note is out: the dialog shows the latest
    // paths a few times a second, so a fast worker is not slowed by a message and a redraw per path.
    void report(const std::wstring& text, int slot);
    void post(ProgressNote note, LPARAM lParam = 0);

    // An item the worker passed over, and one it processed, for the message at the end.
    void recordFailure(const std::wstring& path, DWORD error);
    void recordDone();

    // User-interface side.
    std::wstring slotText(int slot) const;
    // The message about the items passed over; empty when none was.
    std::wstring failureSummary() const;
    // The latest texts, to be shown now; the note stays out until `endTextPause`.
    void takeTexts(std::wstring& source, std::wstring& target);
    // After a pause: true when the texts changed meanwhile (take and show them, pause again);
    // false lets the worker post its next note.
    bool endTextPause();
    // Stops the worker at its next check and wakes it if it waits for an answer.
    void requestCancel();
    // Stops the worker at its next check (the same-name dialog's "abort all").
    void abort();
    // Whether the job was cancelled or aborted: it asks and tells nothing more.
    bool cancelRequested() const;
    // Lets a worker that waits for an answer go on.
    void release();

    // The halves going away; the last one deletes the job.
    void operationGone();
    void dialogGone();

    // Belongs to the user-interface thread while the worker waits for an answer, else to the worker.
    ConflictDecision decision;
    // Published by a worker that copies bytes; sampled by the dialog while it is shown.
    JobBytes bytes;

private:
    // Clears the pointer of the half that goes; deletes the job when the other is gone already.
    template <typename Gone, typename Other>
    void halfGone(Gone*& gone, Other* const& other);

    mutable std::mutex lock_;
    FileJob* job_ = nullptr;
    FileOperation* operation_ = nullptr;
    ProgressDialog* dialog_ = nullptr;
    HWND window_ = nullptr;
    wchar_t slots_[2][kSlotCapacity + 1] = {};
    bool textNoted_ = false;  // a text note is out, or the dialog pauses after showing one
    bool textChanged_ = false;  // since the dialog last took the texts
    bool cancelRequested_ = false;
    JobFailures failures_;
};
