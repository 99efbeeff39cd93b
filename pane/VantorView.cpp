#include "pane/VantorView.h"
#include "app/MainFrame.h"
#include "app/VantorApp.h"
#include "common/InputDialog.h"
#include "framework/Document.h"
#include "framework/Handles.h"
#include "pane/PanePainter.h"
#include "pane/SortCommands.h"
#include "resource.h"
#include <algorithm>

CVantorView::CVantorView() : listing_(*this, 0) {}

const MessageMap* CVantorView::messageMap() const {
    static const MessageEntry entries[] = {
        onMessage<WM_CREATE, &CVantorView::onCreate>(),
        onMessage<WM_PAINT, &CVantorView::onPaint>(),
        onMessage<WM_ERASEBKGND, &CVantorView::onEraseBackground>(),
        onMessage<WM_SIZE, &CVantorView::onSize>(),
        onMessage<WM_VSCROLL, &CVantorView::onVScroll>(),
        onCommand<ID_VIEW_RENEW, &CVantorView::onRenew>(),
        onCommand<ID_VIEW_WILDCARD, &CVantorView::onWildcard>(),
        onCommand<ID_VIEW_ALLCARD, &CVantorView::onAllCard>(),
        onUpdate<ID_VIEW_ALLCARD, &CVantorView::onUpdateAllCard>(),
        onCommandRange<ID_SORT_NONE, ID_SORT_SIZE_SMALL, &CVantorView::onSort>(),
        onUpdateRange<ID_SORT_NONE, ID_SORT_SIZE_SMALL, &CVantorView::onUpdateSort>(),
        onCommand<ID_SORT_OPT_DIR, &CVantorView::onSortOptDir>(),
        onUpdate<ID_SORT_OPT_DIR, &CVantorView::onUpdateSortOptDir>(),
        onCommand<ID_SORT_UI, &CVantorView::onSortPopup>(),
        onCommandRange<ID_MARK_ALL, ID_MARK_CLEAR, &CVantorView::onMarkCommand>(),
        onCommand<ID_UI_LINE_UP, &CVantorView::onLineUp>(),
        onCommand<ID_UI_LINE_DOWN, &CVantorView::onLineDown>(),
        onCommand<ID_UI_PAGE_UP, &CVantorView::onPageUp>(),
        onCommand<ID_UI_PAGE_DOWN, &CVantorView::onPageDown>(),
        onCommand<ID_UI_CUR_TOP, &CVantorView::onTop>(),
        onCommand<ID_UI_CUR_BOTTOM, &CVantorView::onBottom>(),
        onCommand<ID_UI_MARK, &CVantorView::onMark>(),
        onCommand<ID_UI_MARK_DOWN, &CVantorView::onMarkDown>(),
    };
    static const MessageMap map{View::messageMap(), entries};
    return &map;
}

LRESULT CVantorView::onCreate(WPARAM, LPARAM) {
    if (callDefault() == -1) return -1;
    // The first pane to register is the left one; the index chooses the pane's settings sections.
    if (auto* frame = dynamic_cast<CMainFrame*>(parentFrame())) listing_.setPaneIndex(frame->registerPane(this));
    listing_.loadViewSettings();
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    listing_.setFolder(current);
    listing_.loadFolder();
    listing_.setCursor(listing_.count() > 0 ? 0 : -1);
    updateScrollRange();
    return 0;
}

int CVantorView::lineHeight() const {
    const int h = CVantorApp::instance()->listFont().lineHeight();
    return h > 0 ? h : 1;
}

int CVantorView::rowsPerPage() const {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    const int rows = (rc.bottom - (2 * lineHeight() + 2)) / lineHeight();
    return rows > 0 ? rows : 1;
}

bool CVantorView::isActive() const {
    FrameWindow* frame = parentFrame();
    return frame && frame->activeView() == this;
}

void CVantorView::onPaint() {
    PaintDc dc(hwnd_);
    RECT rc;
    GetClientRect(hwnd_, &rc);
    const ListFont& font = CVantorApp::instance()->listFont();
    PanePainter painter(dc.get(), rc, font.logFont(), lineHeight(), settings());
    paintPane(painter, listing_, firstVisible_, isActive());
}

LRESULT CVantorView::onEraseBackground() { return 1; }  // the paint covers every pixel

void CVantorView::onSize(UINT, int, int) {
    updateScrollRange();
    ensureCursorVisible(false);
}

void CVantorView::onVScroll(WPARAM wParam, LPARAM) {
    SCROLLINFO si{sizeof(si), SIF_ALL};
    GetScrollInfo(hwnd_, SB_VERT, &si);
    int first = firstVisible_;
    switch (LOWORD(wParam)) {
    case SB_LINEUP: --first; break;
    case SB_LINEDOWN: ++first; break;
    case SB_PAGEUP: first -= rowsPerPage(); break;
    case SB_PAGEDOWN: first += rowsPerPage(); break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: first = si.nTrackPos; break;
    case SB_TOP: first = 0; break;
    case SB_BOTTOM: first = listing_.count(); break;
    default: return;
    }
    scrollTo(first, true);
}

void CVantorView::scrollTo(int first, bool redraw) {
    first = std::clamp(first, 0, std::max(listing_.count() - 1, 0));
    if (first == firstVisible_) return;
    firstVisible_ = first;
    SetScrollPos(hwnd_, SB_VERT, first, redraw);
    if (redraw) repaintAll();
}

void CVantorView::watchFolder(const std::wstring&) {}
void CVantorView::rearmWatcher() {}

void CVantorView::updateScrollRange() {
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL};
    si.nMin = 0;
    si.nMax = std::max(listing_.count() - 1, 0);
    si.nPage = static_cast<UINT>(rowsPerPage());
    si.nPos = firstVisible_;
    SetScrollInfo(hwnd_, SB_VERT, &si, FALSE);
}

void CVantorView::ensureCursorVisible(bool redraw) {
    const int cursor = listing_.cursor();
    if (cursor < 0) return;
    if (cursor < firstVisible_) scrollTo(cursor, redraw);
    else if (cursor >= firstVisible_ + rowsPerPage()) scrollTo(cursor - rowsPerPage() + 1, redraw);
}

void CVantorView::repaintAll() {
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}

void CVantorView::redrawLine(int displayPosition) {
    ClientDc dc(hwnd_);
    RECT rc;
    GetClientRect(hwnd_, &rc);
    PanePainter painter(dc.get(), rc, CVantorApp::instance()->listFont().logFont(), lineHeight(), settings());
    drawPaneLine(painter, listing_, firstVisible_, displayPosition, isActive());
}

void CVantorView::redrawHeader() {
    ClientDc dc(hwnd_);
    RECT rc;
    GetClientRect(hwnd_, &rc);
    PanePainter painter(dc.get(), rc, CVantorApp::instance()->listFont().logFont(), lineHeight(), settings());
    painter.redrawStatusLine(paneStatusText(listing_));
}

void CVantorView::setCursor(int position) {
    if (listing_.count() == 0) return;
    position = std::clamp(position, 0, listing_.count() - 1);
    const int old = listing_.cursor();
    if (position == old) return;
    listing_.setCursor(position);
    const int first = firstVisible_;
    ensureCursorVisible(true);
    if (first == firstVisible_) {
        redrawLine(old);
        redrawLine(position);
    }
}

void CVantorView::moveCursor(int delta) {
    // A pane without a cursor gets one on its first line.
    setCursor(listing_.cursor() < 0 ? 0 : listing_.cursor() + delta);
}

void CVantorView::onActivateView(bool active) {
    if (active) {
        if (Document* doc = document()) doc->setTitle(listing_.folder());
        else if (FrameWindow* frame = parentFrame(); frame && frame->document()) frame->document()->setTitle(listing_.folder());
    }
    if (hwnd_) redrawLine(listing_.cursor());
}

void CVantorView::onRenew() { listing_.refresh(); }

void CVantorView::onWildcard() {
    InputDialog input;
    input.title = L"マスク指定";
    input.text = listing_.mask();
    if (input.doModal(hwnd_) == IDOK) listing_.setMask(input.text);
}

void CVantorView::onWildcardParameter(const std::wstring& parameter) { listing_.setMask(parameter); }
void CVantorView::onDriveSelectParameter(const std::wstring&) {}
void CVantorView::onDirDirectParameter(const std::wstring&) {}
void CVantorView::onMacroParameter(const std::wstring&) {}

void CVantorView::onAllCard() { listing_.setMask(L"*.*"); }
void CVantorView::onUpdateAllCard(CommandUI& ui) { ui.enable(listing_.hasMask()); }

void CVantorView::onSort(UINT id) { listing_.applySort(sortTypeOfCommand(id), listing_.groupMask()); }
void CVantorView::onUpdateSort(CommandUI& ui) { ui.check(listing_.sortType() == sortTypeOfCommand(ui.id())); }

void CVantorView::onSortOptDir() { listing_.applySort(listing_.sortType(), listing_.groupMask() ^ kFoldersFirst); }
void CVantorView::onUpdateSortOptDir(CommandUI& ui) { ui.check((listing_.groupMask() & kFoldersFirst) != 0); }

void CVantorView::onSortPopup() {
    SetForegroundWindow(hwnd_);
    UniqueMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_SORT_MENU)));
    HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
    if (!popup) return;
    for (UINT id = ID_SORT_NONE; id <= ID_SORT_SIZE_SMALL; ++id)
        CheckMenuItem(popup, id, MF_BYCOMMAND | (listing_.sortType() == sortTypeOfCommand(id) ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(popup, ID_SORT_OPT_DIR,
                  MF_BYCOMMAND | ((listing_.groupMask() & kFoldersFirst) ? MF_CHECKED : MF_UNCHECKED));
    POINT origin{0, 0};
    ClientToScreen(hwnd_, &origin);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, origin.x, origin.y, 0, hwnd_, nullptr);
}

void CVantorView::onMarkCommand(UINT id) {
    switch (id) {
    case ID_MARK_ALL: listing_.markAll(MarkMode::Mark); break;
    case ID_MARK_ALL_FILE: listing_.markAllFiles(MarkMode::Mark); break;
    case ID_MARK_TOGGLE: listing_.markAll(MarkMode::Toggle); break;
    case ID_MARK_TOGGLE_FILE: listing_.markAllFiles(MarkMode::Toggle); break;
    case ID_MARK_CLEAR: listing_.markAll(MarkMode::Unmark); break;
    default: break;
    }
}

void CVantorView::onLineUp() { moveCursor(-1); }
void CVantorView::onLineDown() { moveCursor(1); }
void CVantorView::onPageUp() { moveCursor(-rowsPerPage()); }
void CVantorView::onPageDown() { moveCursor(rowsPerPage()); }
void CVantorView::onTop() { setCursor(0); }
void CVantorView::onBottom() { setCursor(listing_.count() - 1); }

void CVantorView::onMark() {
    const int cursor = listing_.cursor();
    if (listing_.list().setMark(listing_.index().positionAt(cursor), MarkMode::Toggle)) {
        redrawLine(cursor);
        redrawHeader();
    }
}

void CVantorView::onMarkDown() {
    onMark();
    moveCursor(1);
}
