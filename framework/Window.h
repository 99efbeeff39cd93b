// Base of every window of the program: binds `this` at WM_NCCREATE, dispatches through the
// class's message map, falls back to default processing, and unbinds at WM_NCDESTROY.
#pragma once
#include "framework/CommandTarget.h"
#include "framework/CommandUI.h"
#include <string>

class Window : public CommandTarget {
public:
    Window() = default;
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    static Window* fromHandle(HWND hwnd);

    // Creates the window with the class registered for this program (one class, many window kinds).
    bool createWindow(DWORD exStyle, const wchar_t* title, DWORD style, int x, int y, int width, int height,
                      HWND parent, HMENU menuOrId);

    // Messages the message loop offers before dispatching; true consumes the message.
    virtual bool PreTranslateMessage(MSG& msg);

    // Sends one message through the map, then default processing. A window that must look at its
    // state after every message it handled overrides it and calls it first.
    virtual LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Default processing of the message being handled; handlers call it to run it before or after their own work.
    LRESULT callDefault();
    virtual LRESULT defaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_COMMAND: controls' notifications by code, everything else through command routing.
    virtual bool onCommandMessage(WPARAM wParam, LPARAM lParam);
    // Called after the window handle is gone, once no message is being dispatched to the object any
    // more; nothing may touch the object's window afterwards. A self-deleting window deletes itself here.
    virtual void onFinalRelease() {}

    // Subclasses a window that someone else created (dialog controls, common controls).
    void attach(HWND hwnd);

    static LRESULT CALLBACK staticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static const wchar_t* windowClassName();

    // Held by a window procedure for as long as it uses the object. A window that destroys itself
    // from a handler meets WM_NCDESTROY inside that handler's dispatch; the outer dispatches still
    // touch the object when they unwind, so the final release waits for the last one to leave.
    class DispatchScope {
    public:
        explicit DispatchScope(Window& window) : window_(window) { ++window_.dispatchDepth_; }
        ~DispatchScope();
        DispatchScope(const DispatchScope&) = delete;
        DispatchScope& operator=(const DispatchScope&) = delete;

    private:
        Window& window_;
    };
    // The window is gone: onFinalRelease runs when the outermost dispatch on the object returns.
    void releaseAfterDispatch() { releasePending_ = true; }

    HWND hwnd_ = nullptr;
    WNDPROC previousProc_ = nullptr;  // set when attach() subclassed a foreign window

private:
    bool dispatch(MessageArgs& args);
    const MSG* currentMessage_ = nullptr;
    int dispatchDepth_ = 0;
    bool releasePending_ = false;
};

// Loads a string resource of the program (empty when absent).
std::wstring loadString(UINT id);
