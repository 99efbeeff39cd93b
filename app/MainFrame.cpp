#include "app/MainFrame.h"
#include "resource.h"

const MessageMap* CMainFrame::messageMap() const {
    static const MessageEntry entries[] = {
        onMessage<WM_CREATE, &CMainFrame::onCreate>(),
    };
    static const MessageMap map{FrameWindow::messageMap(), entries};
    return &map;
}

LRESULT CMainFrame::onCreate(WPARAM wParam, LPARAM lParam) {
    if (FrameWindow::onCreate(wParam, lParam) == -1) return -1;
    static const UINT indicators[] = {0, ID_INDICATOR_KANA, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    if (!statusBar_.create(*this, ID_VIEW_STATUS_BAR) || !statusBar_.setIndicators(indicators)) return -1;
    // The left pane is active at start.
    setActiveView(&left_);
    return 0;
}

bool CMainFrame::onCreateClient(const CREATESTRUCTW&) {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    const SIZE half{rc.right / 2, rc.bottom};
    if (!splitter_.createStatic(hwnd_, 1, 2)) return false;
    clientWindow_ = splitter_.hwnd();
    return splitter_.createView(0, 0, left_, half, WS_CHILD | WS_VISIBLE | WS_VSCROLL) &&
           splitter_.createView(0, 1, right_, half, WS_CHILD | WS_VISIBLE | WS_VSCROLL);
}

int CMainFrame::registerPane(CVantorView* pane) {
    const int side = panes_[0] ? 1 : 0;
    panes_[side] = pane;
    return side;
}

CVantorView* CMainFrame::paneInColumn(int column) const {
    return dynamic_cast<CVantorView*>(splitter_.pane(0, column));
}

CVantorView* CMainFrame::otherPane(const CVantorView* pane) const {
    return pane == paneInColumn(0) ? paneInColumn(1) : paneInColumn(0);
}
