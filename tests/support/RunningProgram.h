// The real program started in-process: its application object with a settings file of its own in
// a temp folder, the main frame and both panes, started in a chosen folder. It can be stopped and
// started again on the same settings file, as a user quitting and restarting would.
#pragma once
#include "app/MainFrame.h"
#include "app/VantorApp.h"
#include "support/TempFolder.h"
#include <functional>
#include <memory>
#include <string>

class RunningProgram {
public:
    RunningProgram();
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // Starts in `startFolder` (the process's current directory during the start); false when the
    // frame could not be created.
    bool start(const std::wstring& startFolder);
    // Destroys the frame (which saves what it saves at exit) and the application object.
    void stop();

    std::wstring settingsPath() const { return settingsDir_ / L"Vantor.ini"; }
    CVantorApp& app() { return *app_; }
    CMainFrame& frame() { return *frame_; }
    HWND frameWindow() const { return frame_ ? frame_->hwnd() : nullptr; }
    CVantorView& pane(int column) { return *frame_->paneInColumn(column); }

    // A value of the settings file as it is on disk now (also while the program is stopped).
    std::wstring setting(const wchar_t* section, const wchar_t* key) const;

    // Posts a command to the frame as a menu would and lets it run.
    void command(UINT id);

    // Runs the program's own message loop (with its pre-translation of keys) for a while.
    void pump(int milliseconds);
    // Runs the message loop until `done` holds; false when it still does not after the timeout.
    bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);

    // Runs the message loop until neither pane has work on its folder under way (a read, a queued
    // re-read, a check whether its folder is gone); a test failure when that takes over 5 s.
    void settle();
    // From now on settle does not wait for the pane in `column`: one showing the folder a job is
    // writing into re-reads it for as long as the job runs.
    void settleWithout(int column) { unsettled_ = column; }

    enum Modifier : unsigned { kNoModifier = 0, kShift = 1, kCtrl = 2, kAlt = 4 };
    // Queues a key press and release for `window` (the active pane when none is given) with the
    // modifiers held in the thread's key state, and lets the message loop take them.
    void pressKey(WORD virtualKey, unsigned modifiers = kNoModifier, HWND window = nullptr);

private:
    TempFolder settingsDir_;
    std::wstring savedDirectory_;
    std::unique_ptr<CVantorApp> app_;
    CMainFrame* frame_ = nullptr;
    int unsettled_ = -1;
};
