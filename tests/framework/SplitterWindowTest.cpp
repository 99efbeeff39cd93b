#include "framework/Application.h"
#include "framework/FrameWindow.h"
#include "framework/SplitterWindow.h"
#include "framework/View.h"
#include <gtest/gtest.h>

namespace {
class TestApp : public Application {
public:
    bool InitInstance() override { return true; }
};

// A frame whose client area is a 1x2 splitter with a view in each column, as the main window has.
class SplitFrame : public FrameWindow {
public:
    SplitterWindow splitter;
    View left, right;
    int keysSeen = 0;  // key-downs that reached the frame's pre-translation (where accelerators live)

    bool PreTranslateMessage(MSG& msg) override {
        if (msg.message == WM_KEYDOWN) ++keysSeen;
        return false;
    }

protected:
    bool onCreateClient(const CREATESTRUCTW&) override {
        RECT rc;
        GetClientRect(hwnd_, &rc);
        const SIZE half{rc.right / 2, rc.bottom};
        if (!splitter.createStatic(hwnd_, 1, 2)) return false;
        clientWindow_ = splitter.hwnd();
        return splitter.createView(0, 0, left, half) && splitter.createView(0, 1, right, half);
    }
};

class Splitter : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(frame.loadFrame(0, WS_OVERLAPPEDWINDOW));
        MoveWindow(frame.hwnd(), 0, 0, 640, 480, TRUE);
        app.setMainWindow(&frame);
        RECT rc;
        GetClientRect(frame.splitter.hwnd(), &rc);
        width = rc.right;
        frame.splitter.setColumnInfo(0, 200, 0);
        frame.splitter.recalcLayout();
    }
    void TearDown() override {
        app.setMainWindow(nullptr);
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }
    void pump() { while (app.pumpMessage()) {} }
    int current(int col) {
        int cur = -1, min = -1;
        frame.splitter.columnInfo(col, cur, min);
        return cur;
    }
    // Keys go where a user's keys go: to the window with the focus, through the message loop.
    void press(WPARAM key) {
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
        pump();
    }
    void mouse(UINT message, int x, WPARAM buttons = 0) {
        PostMessageW(frame.splitter.hwnd(), message, buttons, MAKELPARAM(x, 50));
        pump();
    }
    void showAndFocusLeft() {
        ShowWindow(frame.hwnd(), SW_SHOW);
        SetFocus(frame.left.hwnd());
        pump();
        ASSERT_EQ(GetFocus(), frame.left.hwnd());
    }

    TestApp app;
    SplitFrame frame;
    int width = 0;
};
}  // namespace

TEST_F(Splitter, PanesSitInTheirColumnsWithTheFrameworksPaneIdentifiers) {
    EXPECT_EQ(frame.splitter.pane(0, 0), &frame.left);
    EXPECT_EQ(frame.splitter.pane(0, 1), &frame.right);
    EXPECT_EQ(frame.splitter.pane(0, 2), nullptr);
    EXPECT_EQ(frame.splitter.pane(1, 0), nullptr);
    EXPECT_EQ(GetDlgCtrlID(frame.splitter.hwnd()), 0xE900);
    EXPECT_EQ(GetDlgCtrlID(frame.left.hwnd()), 0xE900);
    EXPECT_EQ(GetDlgCtrlID(frame.right.hwnd()), 0xE901);
    EXPECT_EQ(GetParent(frame.left.hwnd()), frame.splitter.hwnd());

    SplitterWindow twoRows;
    EXPECT_FALSE(twoRows.createStatic(frame.hwnd(), 2, 2));
}

TEST_F(Splitter, ColumnInfoPlacesThePanesAndTheLastColumnTakesTheRest) {
    RECT frameClient;
    GetClientRect(frame.hwnd(), &frameClient);
    EXPECT_EQ(width, frameClient.right);  // the frame gives its client area to the splitter

    EXPECT_EQ(current(0), 200);
    EXPECT_EQ(current(1), width - 200 - SplitterWindow::kBarWidth);
    RECT rc;
    GetWindowRect(frame.right.hwnd(), &rc);
    MapWindowPoints(nullptr, frame.splitter.hwnd(), reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, 200 + SplitterWindow::kBarWidth);
    EXPECT_EQ(rc.right, width);
    GetClientRect(frame.left.hwnd(), &rc);
    EXPECT_EQ(rc.right, 200);

    frame.splitter.setColumnInfo(0, 150, 40);
    int cur = 0, min = 0;
    frame.splitter.columnInfo(0, cur, min);
    EXPECT_EQ(cur, 200);  // as last laid out, until the next layout
    EXPECT_EQ(min, 40);

    // The frame resizing lays the splitter out again, keeping the ideal width of column 0.
    MoveWindow(frame.hwnd(), 0, 0, 500, 400, TRUE);
    EXPECT_EQ(current(0), 150);
    RECT splitterRect;
    GetClientRect(frame.splitter.hwnd(), &splitterRect);
    EXPECT_EQ(current(1), splitterRect.right - 150 - SplitterWindow::kBarWidth);
}

TEST_F(Splitter, DraggingTheBarMovesATrackerAndPlacesThePanesOnRelease) {
    mouse(WM_LBUTTONDOWN, 203, MK_LBUTTON);  // 3 pixels into the bar
    EXPECT_TRUE(frame.splitter.isTracking());
    mouse(WM_MOUSEMOVE, 263, MK_LBUTTON);
    EXPECT_EQ(current(0), 200);  // only the tracker moved
    mouse(WM_LBUTTONUP, 263);
    EXPECT_FALSE(frame.splitter.isTracking());
    EXPECT_EQ(current(0), 260);
    EXPECT_EQ(current(1), width - 260 - SplitterWindow::kBarWidth);

    // Dragged beyond the left edge: the left pane closes, the bar stays on screen.
    mouse(WM_LBUTTONDOWN, 262, MK_LBUTTON);
    mouse(WM_MOUSEMOVE, -100, MK_LBUTTON);
    mouse(WM_LBUTTONUP, -100);
    EXPECT_EQ(current(0), 0);

    // A press beside the bar starts nothing.
    mouse(WM_LBUTTONDOWN, 100, MK_LBUTTON);
    EXPECT_FALSE(frame.splitter.isTracking());
}

TEST_F(Splitter, KeyboardTrackingMovesTheBarWithArrowsAndEnterAcceptsIt) {
    showAndFocusLeft();
    frame.splitter.startKeyboardTracking();
    EXPECT_TRUE(frame.splitter.isTracking());
    EXPECT_EQ(GetFocus(), frame.splitter.hwnd());

    press(VK_RIGHT);
    press(VK_RIGHT);
    press(VK_LEFT);
    press(VK_RIGHT);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    press(VK_RIGHT);  // Ctrl held: one pixel
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(current(0), 200);  // nothing moves before Enter
    press(VK_RETURN);

    EXPECT_FALSE(frame.splitter.isTracking());
    EXPECT_EQ(current(0), 200 + 2 * SplitterWindow::kKeyStep + 1);
    EXPECT_EQ(GetFocus(), frame.left.hwnd());  // the focus goes back where it was
    EXPECT_EQ(frame.keysSeen, 0);              // the tracker's keys never reached the frame's accelerators
    press(VK_RIGHT);
    EXPECT_EQ(frame.keysSeen, 1);
}

TEST_F(Splitter, EscapeCancelsKeyboardTrackingAndAClickAcceptsIt) {
    showAndFocusLeft();
    frame.splitter.startKeyboardTracking();
    press(VK_LEFT);
    press(VK_LEFT);
    press(VK_ESCAPE);
    EXPECT_FALSE(frame.splitter.isTracking());
    EXPECT_EQ(current(0), 200);
    EXPECT_EQ(GetFocus(), frame.left.hwnd());

    frame.splitter.startKeyboardTracking();
    press(VK_LEFT);
    mouse(WM_MOUSEMOVE, 400);  // the mouse does not take over a keyboard move
    mouse(WM_LBUTTONDOWN, 400, MK_LBUTTON);
    EXPECT_FALSE(frame.splitter.isTracking());
    EXPECT_EQ(current(0), 200 - SplitterWindow::kKeyStep);
}

TEST_F(Splitter, KeyboardTrackingStopsAtTheEdgesAndComesBackAtOnce) {
    showAndFocusLeft();
    frame.splitter.startKeyboardTracking();
    for (int i = 0; i < width / SplitterWindow::kKeyStep + 5; ++i) press(VK_RIGHT);
    press(VK_RETURN);
    EXPECT_EQ(current(0), width - SplitterWindow::kBarWidth);
    EXPECT_EQ(current(1), 0);

    // Presses beyond an edge are not stored up: the first press back moves the bar.
    frame.splitter.startKeyboardTracking();
    press(VK_RIGHT);
    press(VK_LEFT);
    press(VK_RETURN);
    EXPECT_EQ(current(0), width - SplitterWindow::kBarWidth - SplitterWindow::kKeyStep);

    frame.splitter.startKeyboardTracking();
    for (int i = 0; i < width / SplitterWindow::kKeyStep + 5; ++i) press(VK_LEFT);
    press(VK_RIGHT);
    press(VK_RETURN);
    EXPECT_EQ(current(0), SplitterWindow::kKeyStep);
}
