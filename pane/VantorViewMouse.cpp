// The pane's mouse: click, shift-click and ctrl-click marking, pressing in the header or below the
// list to mark from the top or to the end, double-click, the wheel and the shell context menu.
#include "common/PathUtil.h"
#include "pane/PaneGeometry.h"
#include "pane/ShellContextMenu.h"
#include "pane/VantorView.h"
#include "resource.h"
#include <algorithm>

// The mouse and menu messages this file handles.
std::span<const MessageEntry> CVantorView::mouseMessages() {
    static const MessageEntry entries[] = {
        onMessage<WM_LBUTTONDOWN, &CVantorView::onLButtonDown>(),
        onMessage<WM_MOUSEMOVE, &CVantorView::onMouseMove>(),
        onMessage<WM_LBUTTONUP, &CVantorView::onLButtonUp>(),
        onMessage<WM_LBUTTONDBLCLK, &CVantorView::onLButtonDblClk>(),
        onMessage<WM_CAPTURECHANGED, &CVantorView::onCaptureChanged>(),
        onMessage<WM_CANCELMODE, &CVantorView::onCancelMode>(),
        onMessage<WM_MOUSEWHEEL, &CVantorView::onMouseWheel>(),
        onMessage<WM_RBUTTONDOWN, &CVantorView::onRButtonDown>(),
        onMessage<WM_CONTEXTMENU, &CVantorView::onContextMenu>(),
        onMessage<WM_DRAWITEM, &CVantorView::onDrawItem>(),
        onMessage<WM_MEASUREITEM, &CVantorView::onMeasureItem>(),
        onMessage<WM_INITMENUPOPUP, &CVantorView::onInitMenuPopup>(),
    };
    return entries;
}

namespace {
int clientY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }
}  // namespace

void CVantorView::onLButtonDown(WPARAM wParam, LPARAM lParam) {
    const int p = hitTest(clientY(lParam));
    if (p < 0) {
        gesture_ = p == pane_geometry::kHeaderHit ? MouseGesture::HeaderPress : MouseGesture::BelowPress;
        SetCapture(hwnd_);
        return;
    }
    setCursor(p);
    if (wParam & MK_SHIFT) {
        gesture_ = MouseGesture::ShiftClick;
        markRange(std::min(anchor_, listing_.cursor()), std::max(anchor_, listing_.cursor()));
    } else if (wParam & MK_CONTROL) {
        gesture_ = MouseGesture::CtrlClick;
    } else {
        gesture_ = MouseGesture::Click;
        anchor_ = p;
        // A marked line keeps every mark, so that the marked set can be dragged.
        const FileEntry* entry = listing_.index().entryAt(p);
        if (!entry->isMarked()) listing_.markAll(MarkMode::Unmark);
    }
}

void CVantorView::onMouseMove(WPARAM, LPARAM lParam) {
    const int p = hitTest(clientY(lParam));
    switch (gesture_) {
    case MouseGesture::Click:
    case MouseGesture::ShiftClick:
    case MouseGesture::CtrlClick:
        gesture_ = MouseGesture::Idle;
        beginDrag();
        break;
    case MouseGesture::HeaderPress:
        if (p >= 0) markRange(0, p);
        break;
    case MouseGesture::BelowPress:
        if (p >= 0) markRange(p, listing_.count() - 1);
        break;
    case MouseGesture::Idle: callDefault(); break;
    }
}

// Another window took the mouse, or the system cancelled the mode: the press ends there, so moves
// that follow with no button held mark nothing.
void CVantorView::onCaptureChanged(WPARAM, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != hwnd_) gesture_ = MouseGesture::Idle;
}

void CVantorView::onCancelMode() {
    gesture_ = MouseGesture::Idle;
    if (GetCapture() == hwnd_) ReleaseCapture();
    callDefault();
}

void CVantorView::onLButtonUp(WPARAM, LPARAM lParam) {
    const int p = hitTest(clientY(lParam));
    switch (gesture_) {
    case MouseGesture::Click:
        if (p >= 0) {
            setCursor(p);
            listing_.markAll(MarkMode::Unmark);
        }
        break;
    case MouseGesture::ShiftClick: break;
    case MouseGesture::CtrlClick:
        if (p >= 0) {
            setCursor(p);
            toggleCursorMark();
        }
        break;
    case MouseGesture::HeaderPress:
        if (p >= 0) markRange(0, p);
        ReleaseCapture();
        break;
    case MouseGesture::BelowPress:
        if (p >= 0) markRange(p, listing_.count() - 1);
        ReleaseCapture();
        break;
    case MouseGesture::Idle: callDefault(); break;
    }
    gesture_ = MouseGesture::Idle;
}

void CVantorView::onLButtonDblClk(WPARAM, LPARAM lParam) {
    const int p = hitTest(clientY(lParam));
    if (p == pane_geometry::kHeaderHit) {
        SendMessageW(hwnd_, WM_COMMAND, ID_DIR_DIRECT, 0);
    } else if (p == pane_geometry::kBelowHit) {
        callDefault();
    } else {
        // The first click put the cursor on the entry; opening acts on the cursor entry.
        SendMessageW(hwnd_, WM_COMMAND, ID_FILE_OPEN_APP, 0);
    }
}

LRESULT CVantorView::onMouseWheel(WPARAM wParam, LPARAM) {
    moveCursor(pane_geometry::wheelCursorDelta(GET_WHEEL_DELTA_WPARAM(wParam)));
    return 0;
}

void CVantorView::onRButtonDown(WPARAM, LPARAM lParam) {
    const int p = hitTest(clientY(lParam));
    if (p >= 0) setCursor(p);
    callDefault();
}

void CVantorView::onContextMenu(WPARAM, LPARAM) { showContextMenu(); }

void CVantorView::showContextMenu() {
    POINT at{};
    GetCursorPos(&at);
    const std::vector<const FileEntry*> targets = collectTargets();
    if (!targets.empty()) {
        std::vector<std::wstring> names;
        for (const FileEntry* entry : targets) names.emplace_back(entry->name());
        if (shell_context_menu::show(hwnd_, listing_.folder(), names, at)) listing_.markAll(MarkMode::Unmark);
        return;
    }
    // Without targets the menu is the one of the pane's folder itself; a drive root has none.
    const auto parts = splitPath(listing_.folder());
    if (!parts || parts->folder.empty() || parts->name.empty()) return;
    shell_context_menu::show(hwnd_, parts->folder, {parts->name}, at);
}

LRESULT CVantorView::onDrawItem(WPARAM wParam, LPARAM lParam) {
    shell_context_menu::forwardMenuMessage(WM_DRAWITEM, wParam, lParam);
    return 1;
}

LRESULT CVantorView::onMeasureItem(WPARAM wParam, LPARAM lParam) {
    shell_context_menu::forwardMenuMessage(WM_MEASUREITEM, wParam, lParam);
    return 1;
}

LRESULT CVantorView::onInitMenuPopup(WPARAM wParam, LPARAM lParam) {
    shell_context_menu::forwardMenuMessage(WM_INITMENUPOPUP, wParam, lParam);
    return 0;
}

