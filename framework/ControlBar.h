// A bar that a frame docks along its bottom edge (status bar, dialog bar). The frame stacks the shown
// bars, the first docked lowest, gives the rest to its client window, and refreshes them at idle.
#pragma once
#include <windows.h>

class FrameWindow;

class ControlBar {
public:
    ControlBar() = default;
    virtual ~ControlBar();
    ControlBar(const ControlBar&) = delete;
    ControlBar& operator=(const ControlBar&) = delete;

    virtual HWND barHandle() const = 0;
    virtual int barHeight() const = 0;
    // Idle-time refresh of what the bar shows; the frame passes itself for command-state queries.
    virtual void onIdleUpdate(FrameWindow& frame) { (void)frame; }
    // The frame moved to a screen of other dots per inch: the bar's text and height follow.
    virtual void rescale(UINT oldDpi, UINT newDpi) { (void)oldDpi, (void)newDpi; }

    // The bar's control identifier, which is also the identifier of the command that toggles it.
    UINT controlId() const;
    // The WS_VISIBLE bit alone, so the answer is right while the frame itself is not shown yet.
    bool isShown() const;

protected:
    // Joins the frame's bars above those docked before (bars call it once their window exists).
    void dockIn(FrameWindow& frame);

private:
    friend class FrameWindow;
    FrameWindow* frame_ = nullptr;
};
