// The dialog half of a file job: a modeless window that shows the paths being worked on, offers
// Cancel, and answers the worker's same-name questions. It deletes itself when its window goes.
#pragma once
#include "fileops/JobProgress.h"
#include "framework/Dialog.h"
#include <atomic>

class JobLink;

class ProgressDialog : public Dialog {
public:
    // Template 130 shows source and destination; 143 one line of the item being processed.
    ProgressDialog(JobLink& link, UINT templateId, const wchar_t* label = nullptr);
    // Cancels the worker (when the window went without a Cancel, e.g. with the main window) and
    // tells the link the dialog is gone, which may delete the job.
    ~ProgressDialog() override;

    // The link forgets the dialog before deleting one that never opened.
    void detach() { link_ = nullptr; }
    // The same-name questions of all jobs that wait for the one open to be answered.
    static int questionsWaiting() { return questionsWaiting_.load(); }

protected:
    const MessageMap* messageMap() const override;
    bool onInitDialog() override;
    void onCancel() override;
    void onFinalRelease() override { delete this; }
    LRESULT onProgress(WPARAM wParam, LPARAM lParam);
    void onTimer(WPARAM id, LPARAM);

private:
    // The window opens hidden and shows itself only when the job outlasts kShowDelayMs (or has a
    // question), so that quick jobs, the usual ones, neither flash a window nor pay for drawing it.
    static constexpr UINT_PTR kShowTimer = 2;
    static constexpr UINT kShowDelayMs = 500;
    static constexpr UINT_PTR kTextPauseTimer = 1;
    static constexpr UINT kTextPauseMs = 100;
    // The bars and figures of a transfer are sampled at this pace while the window is shown.
    static constexpr UINT_PTR kFiguresTimer = 3;
    static constexpr UINT kFiguresMs = 100;
    // Asks the same-name question of the given note, unless the job was cancelled meanwhile, and
    // lets the worker go on.
    void ask(WPARAM note);
    void showNow();
    void showTexts(LPARAM lines);
    void showFigures();

    JobLink* link_;
    const wchar_t* label_;  // replaces the text of the line's label when given
    TransferRate rate_;
    std::wstring figures_;  // as shown, so an unchanged line is not redrawn
    static inline std::atomic<int> questionsWaiting_{0};
};
