// The pane's commands: cursor movement and paging, marking, re-reading, masks and sort order, and
// the quick search line.
#include "framework/FrameWindow.h"
#include "framework/Handles.h"
#include "pane/ListFont.h"
#include "pane/MaskInputDialog.h"
#include "pane/PaneOwner.h"
#include "pane/SortCommands.h"
#include "pane/VantorView.h"
#include "resource.h"

// The commands this file handles: the listing's mask and sort, marks and the cursor.
std::span<const MessageEntry> CVantorView::listCommands() {
    static const MessageEntry entries[] = {
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
        onCommand<ID_UI_ACTIVE_TOGGLE, &CVantorView::onActiveToggle>(),
        onCommand<ID_UI_QUICK_SEARCH, &CVantorView::onQuickSearch>(),
    };
    return entries;
}

void CVantorView::onRenew() { reread(); }

void CVantorView::onWildcard() {
    MaskInputDialog input(listing_.mask());
    if (input.doModal(hwnd_) == IDOK) applyMask(input.text);
}

void CVantorView::onWildcardParameter(const std::wstring& parameter) {
    if (isNamePattern(parameter)) applyMask(parameter);
    else refuseMaskWithFolder(hwnd_);
}

void CVantorView::onQuickSearch() {
    if (owner()) quickSearch_.open(owner()->listFont().logFont(), lineHeight());
}

void CVantorView::onAllCard() { applyMask(L"*.*"); }

void CVantorView::applyMask(const std::wstring& mask) {
    listing_.chooseMask(mask);
    reread();
}

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
    // The pane answers pop-up initialisation itself, so the check marks are set here.
    for (UINT id = ID_SORT_NONE; id <= ID_SORT_SIZE_SMALL; ++id) {
        const bool current = listing_.sortType() == sortTypeOfCommand(id);
        CheckMenuItem(popup, id, MF_BYCOMMAND | (current ? MF_CHECKED : MF_UNCHECKED));
    }
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

bool CVantorView::toggleCursorMark() {
    const FileEntry* entry = listing_.cursorEntry();
    if (!entry || entry->isParent()) return false;
    listing_.list().setMark(listing_.index().positionAt(listing_.cursor()), MarkMode::Toggle);
    redrawLine(listing_.cursor());
    redrawHeader();
    return true;
}

void CVantorView::onMark() { toggleCursorMark(); }

void CVantorView::onMarkDown() {
    if (toggleCursorMark()) moveCursor(1);
}

void CVantorView::onActiveToggle() {
    CVantorView* other = otherPane();
    FrameWindow* frame = parentFrame();
    if (!other || !frame || other == this) return;
    frame->setActiveView(other);
    SetFocus(other->hwnd());
}
