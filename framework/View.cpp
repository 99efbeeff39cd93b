#include "framework/View.h"
#include "framework/FrameWindow.h"

const MessageMap* View::messageMap() const {
    static const MessageEntry entries[] = {
        onMessage<WM_MOUSEACTIVATE, &View::onMouseActivate>(),
        onMessage<WM_SETFOCUS, &View::onSetFocus>(),
    };
    static const MessageMap map{Window::messageMap(), entries};
    return &map;
}

FrameWindow* View::parentFrame() const {
    for (HWND h = GetParent(hwnd_); h; h = GetParent(h)) {
        if (auto* frame = dynamic_cast<FrameWindow*>(Window::fromHandle(h))) return frame;
    }
    return nullptr;
}

// A click in a view makes it the active view before the click itself is handled. The active view
// takes the focus back too: a bar's button may hold it, and keys must go to the view again.
LRESULT View::onMouseActivate(WPARAM, LPARAM) {
    LRESULT result = callDefault();
    if (result == MA_NOACTIVATEANDEAT || result == MA_ACTIVATEANDEAT) return result;
    if (parentFrame() && GetFocus() != hwnd_) SetFocus(hwnd_);
    return result;
}

void View::onSetFocus() {
    callDefault();
    if (FrameWindow* frame = parentFrame()) frame->setActiveView(this);
}
