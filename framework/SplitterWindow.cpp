#include "framework/SplitterWindow.h"
#include <algorithm>
#include <windowsx.h>

const MessageMap* SplitterWindow::messageMap() const {
    static const MessageEntry entries[] = {
        onMessage<WM_NOTIFY, &SplitterWindow::onNotify>(),
        onMessage<WM_SIZE, &SplitterWindow::onSize>(),
        onMessage<WM_PAINT, &SplitterWindow::onPaint>(),
        onMessage<WM_ERASEBKGND, &SplitterWindow::onEraseBackground>(),
        onMessage<WM_SETCURSOR, &SplitterWindow::onSetCursor>(),
        onMessage<WM_LBUTTONDOWN, &SplitterWindow::onLButtonDown>(),
        onMessage<WM_MOUSEMOVE, &SplitterWindow::onMouseMove>(),
        onMessage<WM_LBUTTONUP, &SplitterWindow::onLButtonUp>(),
        onMessage<WM_KEYDOWN, &SplitterWindow::onKeyDown>(),
        onMessage<WM_CAPTURECHANGED, &SplitterWindow::onCaptureChanged>(),
    };
    static const MessageMap map{Window::messageMap(), entries};
    return &map;
}

bool SplitterWindow::createStatic(HWND parent, int rows, int cols, UINT id, DWORD style) {
    if (rows != 1 || cols < 1) return false;
    columns_.assign(static_cast<size_t>(cols), SplitterColumn{});
    panes_.assign(static_cast<size_t>(cols), nullptr);
    // No WS_CLIPCHILDREN: the tracker is drawn across the panes with the splitter's own DC.
    style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
    return createWindow(0, L"", style, 0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

bool SplitterWindow::createView(int row, int col, Window& view, SIZE initialSize, DWORD style, DWORD exStyle) {
    if (row != 0 || col < 0 || col >= columnCount() || !hwnd_) return false;
    if (!view.createWindow(exStyle, L"", style | WS_CHILD, 0, 0, initialSize.cx, initialSize.cy, hwnd_,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(paneId(row, col))))) {
        return false;
    }
    panes_[static_cast<size_t>(col)] = view.hwnd();
    columns_[static_cast<size_t>(col)].ideal = std::max(initialSize.cx, 0L);
    recalcLayout();
    return true;
}

Window* SplitterWindow::pane(int row, int col) const {
    if (row != 0 || col < 0 || col >= columnCount()) return nullptr;
    return Window::fromHandle(panes_[static_cast<size_t>(col)]);
}

void SplitterWindow::columnInfo(int col, int& current, int& minimum) const {
    current = 0;
    minimum = 0;
    if (col < 0 || col >= columnCount()) return;
    minimum = columns_[static_cast<size_t>(col)].minimum;
    if (static_cast<size_t>(col) < layout_.columns.size()) current = layout_.columns[static_cast<size_t>(col)].width;
}

void SplitterWindow::setColumnInfo(int col, int ideal, int minimum) {
    if (col < 0 || col >= columnCount()) return;
    columns_[static_cast<size_t>(col)] = {std::max(ideal, 0), std::max(minimum, 0)};
}

void SplitterWindow::recalcLayout() {
    if (!hwnd_) return;
    RECT rc;
    GetClientRect(hwnd_, &rc);
    layout_ = layoutColumns(columns_, rc.right, barWidth());
    for (size_t i = 0; i < panes_.size(); ++i) {
        if (!panes_[i]) continue;
        const SplitterSpan& column = layout_.columns[i];
        MoveWindow(panes_[i], column.x, 0, column.width, rc.bottom, TRUE);
    }
    InvalidateRect(hwnd_, nullptr, FALSE);
}

bool SplitterWindow::onCommandMessage(WPARAM wParam, LPARAM lParam) {
    if (HWND parent = GetParent(hwnd_)) SendMessageW(parent, WM_COMMAND, wParam, lParam);
    return true;
}

LRESULT SplitterWindow::onNotify(WPARAM wParam, LPARAM lParam) {
    HWND parent = GetParent(hwnd_);
    return parent ? SendMessageW(parent, WM_NOTIFY, wParam, lParam) : 0;
}

void SplitterWindow::onSize(UINT, int, int) {
    if (isTracking()) endTracking(false);
    recalcLayout();
}

void SplitterWindow::onPaint() {
    PaintDc dc(hwnd_);
    RECT rc;
    GetClientRect(hwnd_, &rc);
    for (size_t i = 0; i < layout_.columns.size(); ++i) {
        // A column without a pane would show whatever was there before.
        if (panes_[i]) continue;
        const SplitterSpan& column = layout_.columns[i];
        const RECT area{column.x, 0, column.x + column.width, rc.bottom};
        FillRect(dc.get(), &area, GetSysColorBrush(COLOR_3DFACE));
    }
    for (const SplitterSpan& bar : layout_.bars) {
        if (bar.width <= 0) continue;
        RECT area{bar.x, 0, bar.x + bar.width, rc.bottom};
        DrawEdge(dc.get(), &area, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
}

// Everything is painted in onPaint; erasing would paint over the panes, which this window does not clip.
LRESULT SplitterWindow::onEraseBackground() { return 1; }

LRESULT SplitterWindow::onSetCursor(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT) {
        POINT pt;
        GetCursorPos(&pt);
        ScreenToClient(hwnd_, &pt);
        if (isTracking() || barAt(layout_, pt.x) >= 0) {
            SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
            return TRUE;
        }
    }
    return callDefault();
}

void SplitterWindow::onLButtonDown(WPARAM, LPARAM lParam) {
    if (tracking_ == Tracking::Keyboard) {
        endTracking(true);
        return;
    }
    const int x = GET_X_LPARAM(lParam);
    const int bar = barAt(layout_, x);
    if (bar < 0 || isTracking()) return;
    SetCapture(hwnd_);
    beginTracking(bar, Tracking::Mouse, x - layout_.bars[static_cast<size_t>(bar)].x);
}

void SplitterWindow::onMouseMove(WPARAM, LPARAM lParam) {
    // Keyboard tracking ignores the mouse until it clicks: a stray move must not undo the keys' work.
    if (tracking_ == Tracking::Mouse) moveTracker(GET_X_LPARAM(lParam) - grabOffset_);
}

void SplitterWindow::onLButtonUp(WPARAM, LPARAM) {
    if (tracking_ == Tracking::Mouse) endTracking(true);
}

void SplitterWindow::onKeyDown(WPARAM wParam, LPARAM) {
    if (isTracking()) trackKey(wParam);
    else callDefault();
}

// Someone else took the mouse (a message box, a menu): the move is abandoned.
void SplitterWindow::onCaptureChanged(WPARAM, LPARAM lParam) {
    if (isTracking() && reinterpret_cast<HWND>(lParam) != hwnd_) endTracking(false);
}

bool SplitterWindow::PreTranslateMessage(MSG& msg) {
    if (!isTracking() || msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    if (msg.message == WM_KEYDOWN) trackKey(msg.wParam);
    return true;
}

void SplitterWindow::startKeyboardTracking() {
    if (isTracking() || layout_.bars.empty() || !hwnd_) return;
    focusBefore_ = GetFocus();
    SetFocus(hwnd_);
    SetCapture(hwnd_);
    beginTracking(0, Tracking::Keyboard, 0);
}

void SplitterWindow::beginTracking(int bar, Tracking how, int grabOffset) {
    // An 8x8 checkerboard: inverting through it shows the tracker over any content and removes it again.
    static const WORD kHalftone[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    if (!trackerBrush_) {
        halftone_.reset(CreateBitmap(8, 8, 1, 1, kHalftone));
        trackerBrush_.reset(CreatePatternBrush(halftone_.get()));
    }
    tracking_ = how;
    trackedBar_ = bar;
    grabOffset_ = grabOffset;
    trackerX_ = layout_.bars[static_cast<size_t>(bar)].x;
    invertTracker();
}

void SplitterWindow::moveTracker(int x) {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    x = std::clamp(x, 0, std::max(static_cast<int>(rc.right) - barWidth(), 0));
    if (x == trackerX_) return;
    invertTracker();
    trackerX_ = x;
    invertTracker();
}

void SplitterWindow::trackKey(WPARAM key) {
    const int step = GetKeyState(VK_CONTROL) < 0 ? 1 : kKeyStep;
    switch (key) {
    case VK_LEFT: moveTracker(trackerX_ - step); break;
    case VK_RIGHT: moveTracker(trackerX_ + step); break;
    case VK_RETURN: endTracking(true); break;
    case VK_ESCAPE: endTracking(false); break;
    default: break;
    }
}

void SplitterWindow::endTracking(bool accept) {
    const Tracking how = tracking_;
    invertTracker();
    // Cleared before ReleaseCapture, whose WM_CAPTURECHANGED would otherwise end the tracking again.
    tracking_ = Tracking::None;
    if (GetCapture() == hwnd_) ReleaseCapture();
    if (how == Tracking::Keyboard && focusBefore_ && IsWindow(focusBefore_)) SetFocus(focusBefore_);
    focusBefore_ = nullptr;
    if (!accept) return;
    const size_t bar = static_cast<size_t>(trackedBar_);
    columns_[bar].ideal = std::max(trackerX_ - layout_.columns[bar].x, 0);
    recalcLayout();
}

void SplitterWindow::invertTracker() {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    ClientDc dc(hwnd_);
    SelectGuard useBrush(dc.get(), trackerBrush_.get());
    PatBlt(dc.get(), trackerX_, 0, barWidth(), rc.bottom, PATINVERT);
}
