#include "app/MainFrame.h"
#include "app/PaneProportion.h"
#include "app/VantorApp.h"
#include "framework/MessageBox.h"
#include "keys/MenuKeyText.h"
#include "resource.h"

namespace {
constexpr wchar_t kBarState[] = L"BarState";
constexpr wchar_t kWindowSection[] = L"Window";
}  // namespace

CMainFrame::CMainFrame() : buttonBar_(IDD_BUTTON_BAR) {}

const MessageMap* CMainFrame::messageMap() const {
    static const MessageEntry entries[] = {
        onMessage<WM_CREATE, &CMainFrame::onCreate>(),
        onMessage<WM_SIZE, &CMainFrame::onSize>(),
        onMessage<WM_MOVE, &CMainFrame::onMove>(),
        onMessage<WM_ENTERSIZEMOVE, &CMainFrame::onSizeMoveLoop>(),
        onMessage<WM_EXITSIZEMOVE, &CMainFrame::onSizeMoveLoop>(),
        onMessage<WM_DESTROY, &CMainFrame::onDestroy>(),
        onCommand<ID_UI_QUIT_CONFIRM, &CMainFrame::onQuitConfirm>(),
        onCommand<ID_SPLIT_CENTER, &CMainFrame::onSplitCenter>(),
        onCommand<ID_WINDOW_SPLIT, &CMainFrame::onWindowSplit>(),
        onCommand<ID_OPT_SETUP_FONT, &CMainFrame::onSetupFont>(),
    };
    static const MessageMap map{FrameWindow::messageMap(), entries};
    return &map;
}

LRESULT CMainFrame::onCreate(WPARAM wParam, LPARAM lParam) {
    if (FrameWindow::onCreate(wParam, lParam) == -1) return -1;
    static const UINT indicators[] = {0, ID_INDICATOR_KANA, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    if (!statusBar_.create(*this, ID_VIEW_STATUS_BAR) || !statusBar_.setIndicators(indicators)) return -1;
    // Created after the status bar, so it lies directly above it.
    if (!buttonBar_.create(*this, ID_VIEW_BUTTON_BAR)) return -1;

    const SettingsFile& saved = settings();
    if (saved.placementValid) {
        weightL_ = saved.paneWidthL;
        weightR_ = saved.paneWidthR;
        gap_ = saved.paneGap;
        MoveWindow(hwnd_, saved.windowLeft, saved.windowTop, saved.windowRight - saved.windowLeft,
                   saved.windowBottom - saved.windowTop, TRUE);
    }
    loadBarState(kBarState);
    refreshMenuKeyTexts();
    // The left pane is active at start.
    setActiveView(&left_);
    return 0;
}

bool CMainFrame::PreTranslateMessage(MSG& msg) {
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: updateButtonBarModifiers(); break;
    default: break;
    }
    // The key table's bindings without parameter are the only accelerators of the program.
    if (HACCEL accelerators = CVantorApp::instance()->keyTable().accelerators())
        if (TranslateAcceleratorW(hwnd_, accelerators, &msg)) return true;
    return FrameWindow::PreTranslateMessage(msg);
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

void CMainFrame::readWindowRect() { GetWindowRect(hwnd_, &windowRect_); }

int CMainFrame::columnWidth(int column) const {
    int current = 0, minimum = 0;
    splitter_.columnInfo(column, current, minimum);
    return current;
}

void CMainFrame::onSize(UINT type, int cx, int cy) {
    FrameWindow::onSize(type, cx, cy);
    // Kept for every size, a minimised one too, so that the rectangle saved at exit is the last seen.
    readWindowRect();
    if (cx < 1 || cy < 1) return;
    if (!splitter_.hwnd() || !IsWindowVisible(splitter_.hwnd())) return;
    const int outerWidth = windowRect_.right - windowRect_.left;
    splitter_.setColumnInfo(0, pane_proportion::leftColumnWidth(weightL_, weightR_, outerWidth, gap_), 0);
    splitter_.recalcLayout();
}

void CMainFrame::onMove() {
    callDefault();
    readWindowRect();
}

void CMainFrame::captureProportion() {
    weightL_ = columnWidth(0);
    weightR_ = columnWidth(1);
    RECT outer;
    GetWindowRect(hwnd_, &outer);
    gap_ = pane_proportion::gapOf(outer.right - outer.left, weightL_, weightR_);
}

void CMainFrame::onSizeMoveLoop() {
    callDefault();
    captureProportion();
}

void CMainFrame::onDestroy() {
    FrameWindow::onDestroy();
    saveBarState(kBarState);
    weightL_ = columnWidth(0);
    weightR_ = columnWidth(1);
    gap_ = pane_proportion::gapOf(windowRect_.right - windowRect_.left, weightL_, weightR_);

    SettingsFile& saved = settings();
    saved.windowLeft = windowRect_.left;
    saved.windowTop = windowRect_.top;
    saved.windowRight = windowRect_.right;
    saved.windowBottom = windowRect_.bottom;
    saved.placementValid = true;
    saved.paneWidthL = weightL_;
    saved.paneWidthR = weightR_;
    saved.paneGap = gap_;
    saved.writeInt(kWindowSection, L"left", saved.windowLeft);
    saved.writeInt(kWindowSection, L"top", saved.windowTop);
    saved.writeInt(kWindowSection, L"right", saved.windowRight);
    saved.writeInt(kWindowSection, L"bottom", saved.windowBottom);
    saved.writeInt(kWindowSection, L"PaneWidthL", weightL_);
    saved.writeInt(kWindowSection, L"PaneWidthR", weightR_);
    saved.writeInt(kWindowSection, L"PaneGap", gap_);
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

void CMainFrame::onQuitConfirm() {
    if (showMessageBox(hwnd_, L"終了してもよろしいですか？", MB_YESNOCANCEL | MB_ICONQUESTION) == IDYES)
        DestroyWindow(hwnd_);
}

void CMainFrame::onSplitCenter() {
    const int weight = pane_proportion::centreWeight(columnWidth(0), columnWidth(1));
    weightL_ = weightR_ = weight;
    splitter_.setColumnInfo(0, weight, 0);
    splitter_.recalcLayout();
}

void CMainFrame::onWindowSplit() { splitter_.startKeyboardTracking(); }

void CMainFrame::repaintEverything() {
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CMainFrame::onSetupFont() {
    if (CVantorApp::instance()->listFont().choose(hwnd_)) repaintEverything();
}

namespace {
void refreshKeyTexts(HMENU menu, const KeyAssignList& table) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        if (HMENU popup = GetSubMenu(menu, position)) {
            refreshKeyTexts(popup, table);
            continue;
        }
        const UINT id = GetMenuItemID(menu, position);
        if (id == 0 || id == static_cast<UINT>(-1)) continue;
        wchar_t text[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
        if (auto rewritten = menuItemTextWithKey(text, table, id))
            ModifyMenuW(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_STRING, id, rewritten->c_str());
    }
}
}  // namespace

void CMainFrame::refreshMenuKeyTexts() {
    if (HMENU menu = GetMenu(hwnd_)) {
        refreshKeyTexts(menu, CVantorApp::instance()->keyTable());
        DrawMenuBar(hwnd_);
    }
}
