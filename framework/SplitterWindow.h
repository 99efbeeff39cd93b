// A static splitter of one row: pane windows side by side, separated by divider bars that the mouse
// drags and that the keyboard moves after startKeyboardTracking. A moved bar is shown as an inverted
// tracker first; the panes take the new widths when the move is accepted.
#pragma once
#include "framework/Handles.h"
#include "framework/SplitterLayout.h"
#include "framework/Window.h"
#include <vector>

class SplitterWindow : public Window {
public:
    static constexpr UINT kFirstPaneId = 0xE900;  // the pane at row 0, column 0
    static constexpr int kBarWidth = 7;  // at 96 dots per inch; see barWidth
    static constexpr int kKeyStep = 16;  // pixels per arrow key while tracking; Ctrl+arrow moves by one

    // Only one row is supported; false for anything else or when the window cannot be created.
    bool createStatic(HWND parent, int rows = 1, int cols = 2, UINT id = kFirstPaneId,
                      DWORD style = WS_CHILD | WS_VISIBLE);
    // Creates `view` as the pane of (row, col), with that column's ideal width taken from initialSize.
    bool createView(int row, int col, Window& view, SIZE initialSize, DWORD style = WS_CHILD | WS_VISIBLE,
                    DWORD exStyle = 0);
    Window* pane(int row, int col) const;
    static UINT paneId(int row, int col) { return kFirstPaneId + static_cast<UINT>(row * 16 + col); }

    int columnCount() const { return static_cast<int>(columns_.size()); }
    // Current width as last laid out, and the minimum.
    void columnInfo(int col, int& current, int& minimum) const;
    // Takes effect at the next recalcLayout. A negative ideal counts as 0.
    void setColumnInfo(int col, int ideal, int minimum);
    void recalcLayout();
    // The window's dots per inch: the bars widen with it (the next recalcLayout places them).
    void setDpi(UINT dpi) { dpi_ = dpi ? dpi : USER_DEFAULT_SCREEN_DPI; }
    int barWidth() const { return MulDiv(kBarWidth, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI); }

    // Tracks the first bar from the keyboard: arrows move it, Enter or a click accepts, Esc cancels.
    void startKeyboardTracking();
    bool isTracking() const { return tracking_ != Tracking::None; }

    // While tracking, keys belong to the tracker, before any accelerator of the frame sees them.
    bool PreTranslateMessage(MSG& msg) override;

protected:
    const MessageMap* messageMap() const override;
    // Panes talk to the frame as if the splitter were not there.
    bool onCommandMessage(WPARAM wParam, LPARAM lParam) override;
    LRESULT onNotify(WPARAM wParam, LPARAM lParam);
    void onSize(UINT type, int cx, int cy);
    void onPaint();
    LRESULT onEraseBackground();
    LRESULT onSetCursor(WPARAM wParam, LPARAM lParam);
    void onLButtonDown(WPARAM wParam, LPARAM lParam);
    void onMouseMove(WPARAM wParam, LPARAM lParam);
    void onLButtonUp(WPARAM wParam, LPARAM lParam);
    void onKeyDown(WPARAM wParam, LPARAM lParam);
    void onCaptureChanged(WPARAM wParam, LPARAM lParam);

private:
    enum class Tracking { None, Mouse, Keyboard };
    void beginTracking(int bar, Tracking how, int grabOffset);
    void moveTracker(int x);
    void trackKey(WPARAM key);
    void endTracking(bool accept);
    void invertTracker();

    std::vector<SplitterColumn> columns_;
    std::vector<HWND> panes_;
    SplitterLayout layout_;

    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    Tracking tracking_ = Tracking::None;
    int trackedBar_ = 0;
    int trackerX_ = 0;    // left edge of the tracker, client coordinates
    int grabOffset_ = 0;  // where in the bar the mouse took hold
    HWND focusBefore_ = nullptr;
    GdiObject<HBITMAP> halftone_;
    GdiObject<HBRUSH> trackerBrush_;
};
