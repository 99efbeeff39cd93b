#include "app/MainFrame.h"
#include "app/PaneProportion.h"
#include "app/SettingsDialog.h"
#include "app/VantorApp.h"
#include "app/WindowPlacement.h"
#include "fileops/ConflictDialog.h"
#include "fileops/FileJob.h"
#include "framework/Dpi.h"
#include "framework/MessageBox.h"
#include "keys/KeyListDialog.h"
#include "pane/PaneColours.h"
#include "keys/MenuKeyText.h"
#include "resource.h"

namespace {
constexpr wchar_t kBarState[] = L"BarState";
constexpr wchar_t kWindowSection[] = L"Window";
}  // namespace

CMainFrame::CMainFrame() : buttonBar_(CVantorApp::instance()->keyTable()) {}

const MessageMap* CMainFrame::messageMap() const {
    static const MessageEntry entries[] = {
        onMessage<WM_CREATE, &CMainFrame::onCreate>(),
        onMessage<WM_SIZE, &CMainFrame::onSize>(),
        onMessage<WM_MOVE, &CMainFrame::onMove>(),
        onMessage<WM_ENTERSIZEMOVE, &CMainFrame::onSizeMoveLoop>(),
        onMessage<WM_EXITSIZEMOVE, &CMainFrame::onSizeMoveLoop>(),
        onMessage<WM_DESTROY, &CMainFrame::onDestroy>(),
        onMessage<WM_CLOSE, &CMainFrame::onClose>(),
        onMessage<WM_ACTIVATE, &CMainFrame::onActivate>(),
        onMessage<WM_ENABLE, &CMainFrame::onEnable>(),
        onMessage<WM_SETTINGCHANGE, &CMainFrame::onColoursChanged>(),
        onMessage<WM_DPICHANGED, &CMainFrame::onDpiChanged>(),
        onMessage<WM_SYSCOLORCHANGE, &CMainFrame::onColoursChanged>(),
        onCommand<ID_UI_QUIT_CONFIRM, &CMainFrame::onQuitConfirm>(),
        onCommand<ID_SPLIT_CENTER, &CMainFrame::onSplitCenter>(),
        onCommand<ID_WINDOW_SPLIT, &CMainFrame::onWindowSplit>(),
        onCommand<ID_OPT_SETUP_FONT, &CMainFrame::onSetupFont>(),
        onCommand<ID_OPT_SETUP, &CMainFrame::onSetup>(),
        onCommand<ID_OPT_SETUP_KEY, &CMainFrame::onSetupKey>(),
    };
    static const MessageMap map{FrameWindow::messageMap(), entries};
    return &map;
}

LRESULT CMainFrame::onCreate(WPARAM wParam, LPARAM lParam) {
    // The panes lay out with the list font, so it takes the window's scale before they exist.
    dpi_ = windowDpi(hwnd_);
    CVantorApp::instance()->listFont().setDpi(dpi_);
    splitter_.setDpi(dpi_);
    if (FrameWindow::onCreate(wParam, lParam) == -1) return -1;
    static const UINT indicators[] = {0, ID_INDICATOR_KANA, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    if (!statusBar_.create(*this, ID_VIEW_STATUS_BAR) || !statusBar_.setIndicators(indicators)) return -1;
    // Created after the status bar, so it lies directly above it.
    if (!buttonBar_.create(*this, ID_VIEW_BUTTON_BAR)) return -1;

    const SettingsFile& saved = settings();
    if (saved.placementValid) {
        // The platform has placed the new window at its default size: a saved rectangle too small
        // to use takes that size, and one on no monitor comes back onto the nearest.
        RECT current{};
        GetWindowRect(hwnd_, &current);
        const RECT savedRect = window_placement::fromStoredUnits(
            {saved.windowLeft, saved.windowTop, saved.windowRight, saved.windowBottom}, systemDpi());
        const RECT start = window_placement::startRect(
            savedRect, {current.right - current.left, current.bottom - current.top}, monitors());
        const window_placement::Proportion proportion = window_placement::restoredProportion(
            {saved.paneWidthL, saved.paneWidthR, saved.paneGap}, start.right - start.left);
        weightL_ = proportion.left;
        weightR_ = proportion.right;
        gap_ = proportion.gap;
        MoveWindow(hwnd_, start.left, start.top, start.right - start.left, start.bottom - start.top, TRUE);
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
    case WM_SYSKEYUP: buttonBar_.updateModifiers(false); break;
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

void CMainFrame::readWindowRect() {
    GetWindowRect(hwnd_, &windowRect_);
    if (!IsIconic(hwnd_)) shownRect_ = windowRect_;
}

int CMainFrame::columnWidth(int column) const {
    int current = 0, minimum = 0;
    splitter_.columnInfo(column, current, minimum);
    return current;
}

void CMainFrame::onSize(UINT type, int cx, int cy) {
    // Still laid out for the size before: what a minimised window will keep at exit.
    if (type == SIZE_MINIMIZED) beforeMinimised_ = measureProportion();
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

window_placement::Proportion CMainFrame::measureProportion() const {
    const int left = columnWidth(0), right = columnWidth(1);
    return {left, right, pane_proportion::gapOf(shownRect_.right - shownRect_.left, left, right)};
}

void CMainFrame::takeProportion(const window_placement::Proportion& p) {
    // A pane squeezed to nothing (the window at its smallest) would stay hidden at the next start.
    if (!window_placement::isShown(p)) return;
    weightL_ = p.left;
    weightR_ = p.right;
    gap_ = p.gap;
}

void CMainFrame::captureProportion() {
    readWindowRect();
    takeProportion(measureProportion());
}

void CMainFrame::onSizeMoveLoop() {
    callDefault();
    captureProportion();
}

void CMainFrame::onDestroy() {
    FrameWindow::onDestroy();
    saveBarState(kBarState);
    takeProportion(IsIconic(hwnd_) ? beforeMinimised_ : measureProportion());

    // Minimised, maximised or not, the rectangle kept is the one the window is restored to.
    const RECT normal = window_placement::toStoredUnits(normalRect(), systemDpi());
    SettingsFile& saved = settings();
    saved.windowLeft = normal.left;
    saved.windowTop = normal.top;
    saved.windowRight = normal.right;
    saved.windowBottom = normal.bottom;
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

RECT CMainFrame::normalRect() const {
    WINDOWPLACEMENT placement{sizeof(placement)};
    if (!GetWindowPlacement(hwnd_, &placement)) return windowRect_;
    // The placement is in work-area coordinates; the saved rectangle, like MoveWindow, in screen ones.
    RECT rc = placement.rcNormalPosition;
    MONITORINFO info{sizeof(info)};
    if (GetMonitorInfoW(MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST), &info))
        OffsetRect(&rc, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
    return rc;
}

namespace {
BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{sizeof(info)};
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<window_placement::Monitor>*>(list)->push_back({info.rcMonitor, info.rcWork});
    return TRUE;
}
}  // namespace

std::vector<window_placement::Monitor> CMainFrame::monitors() {
    std::vector<window_placement::Monitor> found;
    EnumDisplayMonitors(nullptr, nullptr, &addMonitor, reinterpret_cast<LPARAM>(&found));
    return found;
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

const SettingsFile& CMainFrame::paneSettings() const { return CVantorApp::instance()->settings(); }

const ListFont& CMainFrame::listFont() const { return CVantorApp::instance()->listFont(); }

const KeyAssignTable& CMainFrame::keyTable() const { return CVantorApp::instance()->keyTable(); }

DriveFolderTable& CMainFrame::driveFolders() { return CVantorApp::instance()->driveFolders(); }

void CMainFrame::onQuitConfirm() {
    // With jobs running, their question is the one to answer: the user is asked once.
    if (FileJob::liveCount() > 0) {
        if (mayCloseWithJobs()) DestroyWindow(hwnd_);
        return;
    }
    if (showMessageBox(hwnd_, L"終了してもよろしいですか？", MB_YESNOCANCEL | MB_ICONQUESTION) == IDYES)
        DestroyWindow(hwnd_);
}

void CMainFrame::onClose() {
    if (mayCloseWithJobs()) DestroyWindow(hwnd_);
}

bool CMainFrame::mayCloseWithJobs() {
    const int running = FileJob::liveCount();
    if (running == 0) return true;
    if (waitingForJobs_) return false;  // a second close while the first waits
    // A close that comes while a job asks its same-name question runs inside that question: the
    // job cannot end before the question returns, which is after the wait below. The question is
    // the one to answer first, as any open dialog would be.
    if (HWND question = ConflictDialog::openQuestion()) {
        SetForegroundWindow(question);
        return false;
    }
    wchar_t question[128];
    swprintf(question, 128, L"%d 個のジョブが実行中です。中止して終了しますか?", running);
    if (showMessageBox(hwnd_, question, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    waitingForJobs_ = true;
    FileJob::cancelAll();
    // Nothing new starts meanwhile: no key, menu or click reaches the window while it waits.
    EnableWindow(hwnd_, FALSE);
    // Each job ends on its own: its worker stops within one block and its window closes on this
    // thread, so the wait goes on pumping messages. A copy still open when the process ends is
    // removed by the system all the same (its deletion is pending until it is complete).
    const ULONGLONG giveUp = GetTickCount64() + jobWaitMs_;
    HANDLE ended = FileJob::endedEvent();
    bool quit = false;
    while (!quit && FileJob::liveCount() > 0 && GetTickCount64() < giveUp) {
        MsgWaitForMultipleObjects(1, &ended, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                quit = true;
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    EnableWindow(hwnd_, TRUE);
    waitingForJobs_ = false;
    // A job stuck where no cancel reaches ends with the process, which ends at once after the
    // window (the program's own state is written first, with the window). What such a job was
    // writing is under a name of its own or has its deletion pending: nothing half-written is left
    // under a file's name.
    if (const int stuck = FileJob::liveCount(); stuck > 0 && !quit) {
        swprintf(question, 128, L"%d 個のジョブが止まらないため、中断したまま終了します。書きかけの内容がファイルの名前で残ることはありません。", stuck);
        showMessageBox(hwnd_, question, MB_OK | MB_ICONEXCLAMATION);
    }
    return true;
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

// The panes draw with the settings as they are when they paint, so a repaint shows the new ones.
void CMainFrame::onSetup() {
    SettingsDialog dialog(settings());
    if (dialog.doModal(hwnd_) == IDOK) repaintEverything();
}

void CMainFrame::onSetupFont() {
    if (CVantorApp::instance()->listFont().choose(hwnd_)) listFontChanged();
}

// The window moved to a screen of other dots per inch, or that screen's scale changed: it takes the
// rectangle the system proposes, and the list font, the bar between the panes and the bars below
// them take the new scale.
LRESULT CMainFrame::onDpiChanged(WPARAM wParam, LPARAM lParam) {
    const UINT dpi = HIWORD(wParam);
    if (dpi == 0) return 0;
    const UINT old = std::exchange(dpi_, dpi);
    CVantorApp::instance()->listFont().setDpi(dpi);
    splitter_.setDpi(dpi);
    rescaleBars(old, dpi);
    if (const auto* suggested = reinterpret_cast<const RECT*>(lParam))
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    recalcLayout();
    listFontChanged();
    return 0;
}

void CMainFrame::listFontChanged() {
    // Another line height changes how many lines a page holds and where the cursor line is drawn.
    for (int column = 0; column < 2; ++column) {
        if (CVantorView* pane = paneInColumn(column)) {
            pane->updateScrollRange();
            pane->ensureCursorVisible(false);
        }
    }
    repaintEverything();
}

// A modifier released while another window was active would leave its labels on the bar.
void CMainFrame::onActivate() {
    callDefault();
    buttonBar_.updateModifiers(false);
}

// A modal window took the keys while it was open, and modifiers let go there never passed the
// frame. The frame's activation may come seconds later (an X desktop without a window manager
// passes it on with a later event), so the bar learns what is held when the window gives the
// frame back its input.
void CMainFrame::onEnable(WPARAM enabled, LPARAM) {
    callDefault();
    if (enabled) buttonBar_.updateModifiers(false);
}

void CMainFrame::keyTakenBeforeFrame() { buttonBar_.updateModifiers(false); }

// High contrast turned on or off, or the system's colours changed: the panes draw with other colours.
void CMainFrame::onColoursChanged() {
    callDefault();
    forgetHighContrast();
    repaintEverything();
}

void CMainFrame::onSetupKey() {
    KeyAssignTable& table = CVantorApp::instance()->keyTable();
    KeyListDialog dialog;
    dialog.bindings = table;
    if (dialog.doModal(hwnd_) != IDOK) return;
    table.replaceEntries(dialog.bindings);
    table.save();
    table.buildAccelerators();
    refreshMenuKeyTexts();
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
