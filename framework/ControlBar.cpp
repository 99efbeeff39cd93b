#include "framework/ControlBar.h"
#include "framework/FrameWindow.h"

ControlBar::~ControlBar() {
    // The frame must not lay out or save a bar that is gone.
    if (frame_) frame_->removeControlBar(*this);
}

UINT ControlBar::controlId() const {
    return static_cast<UINT>(GetDlgCtrlID(barHandle()));
}

bool ControlBar::isShown() const {
    HWND bar = barHandle();
    return bar && (GetWindowLongW(bar, GWL_STYLE) & WS_VISIBLE) != 0;
}

void ControlBar::dockIn(FrameWindow& frame) {
    frame.addControlBar(*this);
}
