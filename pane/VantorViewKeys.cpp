// Keys that reach a pane: the key table's bindings with a parameter (the others were accelerators
// and never get here).
#include "framework/FrameWindow.h"
#include "keys/KeyAssignTable.h"
#include "keys/KeyDispatch.h"
#include "pane/PaneOwner.h"
#include "pane/VantorView.h"

// The keyboard messages this file handles.
std::span<const MessageEntry> CVantorView::keyMessages() {
    static const MessageEntry entries[] = {
        onMessage<WM_KEYDOWN, &CVantorView::onKeyDown>(),
        onMessage<WM_SYSKEYDOWN, &CVantorView::onKeyDown>(),
        onMessage<WM_CHAR, &CVantorView::onChar>(),
    };
    return entries;
}

bool CVantorView::dispatchKey(unsigned key, bool virtualKey) {
    // GetKeyState answers for the moment the message was queued, not for now.
    if (!owner()) return false;
    const KeyDispatch decision = decideKeyDispatch(owner()->keyTable(),
                                                   dispatchModifiersFromKeyState(virtualKey),
                                                   static_cast<std::uint16_t>(key));
    switch (decision.action) {
    case KeyDispatchAction::callParameterHandler:
        (this->*decision.handler)(decision.parameter);
        return true;
    case KeyDispatchAction::postCommand:
        if (FrameWindow* frame = parentFrame()) PostMessageW(frame->hwnd(), WM_COMMAND, decision.command, 0);
        return true;
    case KeyDispatchAction::notHandled: break;
    }
    return false;
}

void CVantorView::onKeyDown(WPARAM wParam, LPARAM) {
    dispatchKey(static_cast<unsigned>(wParam), true);
    callDefault();
}

void CVantorView::onChar(WPARAM wParam, LPARAM) {
    if (!dispatchKey(static_cast<unsigned>(wParam), false)) callDefault();
}
