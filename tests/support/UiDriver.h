// Acts on modal dialogs and message boxes from the side: a helper thread waits for the window to
// appear on the UI thread and then works its controls with ordinary (cross-thread) messages.
#pragma once
#include <windows.h>
#include <atomic>
#include <functional>
#include <string>
#include <thread>

// A visible top-level window of the thread whose caption is `title` (alternatives separated by
// "|"); null after the timeout.
HWND waitForWindow(DWORD threadId, const std::wstring& title, int timeoutMs = 5000);
// Texts of the static controls of a window (a message box's message among them).
std::wstring staticTexts(HWND window);
std::wstring windowText(HWND window);
// Presses a button of a dialog by identifier (posted, so the caller never waits on what it opens).
void clickButton(HWND dialog, int id);
// The window with the keyboard focus on another thread.
HWND focusOf(DWORD threadId);
// The main window of another process once it is shown (visible, with a menu); null until then.
HWND shownMainWindowOf(DWORD processId);

class DialogAction {
public:
    // Waits for a window titled `title` on the calling thread and runs `action` on it.
    DialogAction(const std::wstring& title, std::function<void(HWND)> action, int timeoutMs = 5000);
    ~DialogAction();
    DialogAction(const DialogAction&) = delete;
    DialogAction& operator=(const DialogAction&) = delete;

    // Waits for the helper thread; true when the window appeared and the action ran.
    bool finish();
    // Whether the action has run: to pump the thread's messages until then, where the window
    // comes from a message still to be handled.
    bool ran() const { return ran_.load(); }

private:
    std::atomic<bool> ran_{false};
    std::thread thread_;
};

// Takes the quit request a destroyed main window leaves in the thread's queue, which would
// otherwise end the next modal loop of the same test program at once.
void discardQuitMessage();

// Pumps the calling thread's messages for a while (lets posted work and paints happen).
void pumpMessagesFor(int milliseconds);
