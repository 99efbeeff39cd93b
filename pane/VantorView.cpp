#include "pane/VantorView.h"
#include "common/PathUtil.h"
#include "common/VisibleName.h"
#include "framework/Application.h"
#include "framework/Document.h"
#include "framework/FrameWindow.h"
#include "framework/Handles.h"
#include "listing/FolderSizes.h"
#include "pane/FolderCheck.h"
#include "pane/ListFont.h"
#include "pane/PaneDropTarget.h"
#include "pane/PaneGeometry.h"
#include "pane/PaneOwner.h"
#include "pane/PanePainter.h"
#include "resource.h"
#include <algorithm>

namespace {
constexpr UINT_PTR kRereadTimer = 1;
// While a folder just entered is read, its status line counts the entries read so far this often.
constexpr UINT_PTR kReadingTimer = 2;
constexpr UINT kReadingTick = 250;
// A quiet re-read's listing waits for keys typed before it on this timer, which comes only when
// no key is waiting.
constexpr UINT_PTR kAdoptTimer = 3;
// Items a job removed leave the listing on this timer, behind any key typed meanwhile.
constexpr UINT_PTR kGoneTimer = 4;
constexpr UINT kGoneDelay = 30;

bool keyWaiting() {
    MSG message;
    return PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE | PM_NOYIELD) != FALSE;
}
}

CVantorView::CVantorView() : listing_(*this, 0) { listing_.setFolder(currentDirectory()); }

const MessageMap* CVantorView::messageMap() const {
    static const MessageEntry entries[] = {
        onMessage<WM_CREATE, &CVantorView::onCreate>(),
        onMessage<WM_DESTROY, &CVantorView::onDestroy>(),
        onMessage<WM_PAINT, &CVantorView::onPaint>(),
        onMessage<WM_ERASEBKGND, &CVantorView::onEraseBackground>(),
        onMessage<WM_SIZE, &CVantorView::onSize>(),
        onMessage<WM_VSCROLL, &CVantorView::onVScroll>(),
        onMessage<WM_FOLDER_CHANGED, &CVantorView::onFolderChanged>(),
        onMessage<WM_FOLDER_READ, &CVantorView::onFolderRead>(),
        onMessage<WM_WATCHER_RELEASED, &CVantorView::onWatcherReleased>(),
        onMessage<WM_ITEMS_GONE, &CVantorView::onItemsGone>(),
        onMessage<WM_FREE_SPACE, &CVantorView::onFreeSpace>(),
        onMessage<WM_SEARCH_FOUND, &CVantorView::onSearchFound>(),
        onMessage<WM_FOLDER_SIZED, &CVantorView::onFolderSized>(),
        onMessage<WM_COMPARE_NOTE, &CVantorView::onCompareNote>(),
        onMessage<WM_DEVICECHANGE, &CVantorView::onDeviceChange>(),
        onMessage<WM_TIMER, &CVantorView::onTimer>(),
        onMessage<WM_GETOBJECT, &CVantorView::onGetObject>(),
    };
    static const MessageMap keyMessagesMap{View::messageMap(), keyMessages()};
    static const MessageMap mouseMessagesMap{&keyMessagesMap, mouseMessages()};
    static const MessageMap listCommandsMap{&mouseMessagesMap, listCommands()};
    static const MessageMap navigationCommandsMap{&listCommandsMap, navigationCommands()};
    static const MessageMap launchCommandsMap{&navigationCommandsMap, launchCommands()};
    static const MessageMap fileJobCommandsMap{&launchCommandsMap, fileJobCommands()};
    static const MessageMap itemCommandsMap{&fileJobCommandsMap, itemCommands()};
    static const MessageMap clipboardCommandsMap{&itemCommandsMap, clipboardCommands()};
    static const MessageMap findCommandsMap{&clipboardCommandsMap, findCommands()};
    static const MessageMap toolCommandsMap{&findCommandsMap, toolCommands()};
    static const MessageMap map{&toolCommandsMap, entries};
    return &map;
}

LRESULT CVantorView::onCreate(WPARAM, LPARAM) {
    if (callDefault() == -1) return -1;
    // The first pane to register is the left one; the index chooses the pane's settings sections.
    if (PaneOwner* frame = owner()) listing_.setPaneIndex(frame->registerPane(this));
    history_.setSection(L"Hist" + std::to_wstring(paneIndex()), FolderHistory::kLimit);
    history_.load();
    if (Application* app = Application::instance()) listing_.setSettingsFile(app->profilePath());
    listing_.loadViewSettings();
    // A pane starts in the last folder it showed; a folder gone since then leaves the start folder.
    const std::wstring last = history_.entryAt(0);
    if (!last.empty() && checkWithin([last] { return folderExists(last); }).value_or(false)) listing_.setFolder(last);
    readNewFolder({});
    watcher_.start(hwnd_, WM_FOLDER_CHANGED, 0, 0);
    // Files dropped from any program land here; without OLE the pane simply takes no drops.
    dropTarget_ = new PaneDropTarget(*this);
    if (FAILED(RegisterDragDrop(hwnd_, dropTarget_))) {
        dropTarget_->Release();
        dropTarget_ = nullptr;
    }
    return 0;
}

LRESULT CVantorView::onGetObject(WPARAM wParam, LPARAM lParam) {
    const LRESULT answer = accessibility_.answerGetObject(wParam, lParam);
    return answer ? answer : callDefault();
}

LRESULT CVantorView::windowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = View::windowProc(message, wParam, lParam);
    // Painting and the screen reader's own requests change nothing; a window being destroyed is past telling.
    if (message != WM_PAINT && message != WM_GETOBJECT && message != WM_DESTROY && message != WM_NCDESTROY)
        accessibility_.announceChanges();
    return result;
}

bool CVantorView::onCmdMsg(UINT id, CommandMode mode, CommandUI* ui) {
    // Escape stops a search, folder sizes or a compare at work in the active pane before it asks
    // about quitting.
    if (id == ID_UI_QUIT_CONFIRM && mode == CommandMode::Execute && (searching() || toolRunning())) {
        stopSearch();
        stopTools();
        return true;
    }
    const bool handled = View::onCmdMsg(id, mode, ui);
    if (handled && mode == CommandMode::Execute) accessibility_.announceChanges();
    return handled;
}

void CVantorView::onDestroy() {
    accessibility_.detach();
    if (dropTarget_) {
        RevokeDragDrop(hwnd_);
        std::exchange(dropTarget_, nullptr)->Release();
    }
    history_.save();
    stopTools();
    // The read's thread ends on its own; its note to this window is lost with the window.
    listing_.cancelRead();
    if (search_) std::exchange(search_, nullptr)->cancel();
    KillTimer(hwnd_, kSearchTimer);
    KillTimer(hwnd_, kRereadTimer);
    KillTimer(hwnd_, kReadingTimer);
    KillTimer(hwnd_, kAdoptTimer);
    KillTimer(hwnd_, kGoneTimer);
    watcher_.stop(1000);
    callDefault();
}

int CVantorView::lineHeight() const {
    const int h = owner() ? owner()->listFont().lineHeight() : 0;
    return h > 0 ? h : 1;
}

int CVantorView::rowsPerPage(int height) const {
    if (height <= 0) {
        RECT rc{};
        GetClientRect(hwnd_, &rc);
        height = rc.bottom;
    }
    return pane_geometry::rowsPerPage(height, lineHeight());
}

int CVantorView::hitTest(int y) const {
    return pane_geometry::hitTest(y, lineHeight(), firstVisible(), listing_.count());
}

int CVantorView::firstVisible() const {
    SCROLLINFO si{sizeof(si), SIF_POS};
    return hwnd_ && GetScrollInfo(hwnd_, SB_VERT, &si) ? si.nPos : 0;
}

RECT CVantorView::listingRect() const {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    rc.top = pane_geometry::listingTop(lineHeight());
    return rc;
}

void CVantorView::onPaint() {
    PaintDc dc(hwnd_);
    RECT rc;
    GetClientRect(hwnd_, &rc);
    if (!owner()) return;
    PanePainter painter(dc.get(), rc, owner()->listFont().logFont(), lineHeight(), owner()->paneSettings());
    const PaintedParts painted = paintPane(painter, listing_, firstVisible(), isActive(), dc.paintRect());
    ++paintCounters_.paints;
    paintCounters_.headerPaints += painted.header ? 1 : 0;
    paintCounters_.linesPainted += painted.lines;
    paintCounters_.lastPaint = dc.paintRect();
}

LRESULT CVantorView::onEraseBackground() { return 1; }  // the paint covers every pixel

void CVantorView::onSize(UINT, int, int) {
    callDefault();
    updateScrollRange();
    quickSearch_.fitToPane();
    // The header spans the width and the bar may have clamped the first visible line: a new size
    // redraws the whole pane, not only the uncovered part.
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void CVantorView::onVScroll(WPARAM wParam, LPARAM) {
    SCROLLINFO si{sizeof(si), SIF_ALL};
    GetScrollInfo(hwnd_, SB_VERT, &si);
    const int page = static_cast<int>(si.nPage);
    const auto top = pane_geometry::scrollRequestTop(LOWORD(wParam), si.nTrackPos, si.nPos, page, si.nMin, si.nMax);
    if (!top) {
        callDefault();
        return;
    }
    SetScrollPos(hwnd_, SB_VERT, *top, TRUE);
    scrollRows(firstVisible() - si.nPos);
}

LRESULT CVantorView::onFolderChanged() {
    // Results are not the folder's listing: a change in the folder does not re-read them.
    if (listing_.showsResults()) {
        watcher_.clearPosted();
        return 0;
    }
    if (const auto delay = pacer_.noteChange(GetTickCount64(), listing_.reading())) scheduleReread(*delay);
    return 0;
}

LRESULT CVantorView::onFolderRead() {
    // The note was posted, so it comes before keys typed earlier: they go first.
    if (quietRead_ && listing_.reading() && keyWaiting()) {
        SetTimer(hwnd_, kAdoptTimer, USER_TIMER_MINIMUM, nullptr);
        return 0;
    }
    const ReadOutcome outcome = listing_.finishRead();
    if (outcome == ReadOutcome::NotDone) return 0;
    if (outcome == ReadOutcome::Unreadable) {
        forgetQueuedReread();
        leaveVanishedFolder();
        return 0;
    }
    if (const auto delay = pacer_.readEnded(GetTickCount64(), listing_.lastReadTook())) scheduleReread(*delay);
    // The listing shows the folder as it is now: so should its free space.
    freeSpace_.ask(hwnd_, WM_FREE_SPACE, folder());
    return 0;
}

LRESULT CVantorView::onDeviceChange(WPARAM event, LPARAM data) {
    const auto* broadcast = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    switch (event) {
    case DBT_DEVICEQUERYREMOVE:
        // The user asks to remove the stick the folder lies on: the pane holds nothing on it
        // (else the removal fails with "device in use"), and still hears whether it went.
        if (!watcher_.device().sentAbout(broadcast)) break;
        removing_ = watcher_.device();
        watcher_.letGoOfDevice();
        break;
    case DBT_DEVICEQUERYREMOVEFAILED:
        if (!removing_.sentAbout(broadcast)) break;
        removing_ = {};
        watchFolder(folder());
        break;
    case DBT_DEVICEREMOVEPENDING:
    case DBT_DEVICEREMOVECOMPLETE:
        if (!removing_.sentAbout(broadcast) && !watcher_.device().sentAbout(broadcast)) break;
        removing_ = {};
        leaveVanishedFolder();
        break;
    default:
        break;
    }
    return TRUE;
}

LRESULT CVantorView::onFreeSpace() {
    const std::optional<int64_t> free = freeSpace_.take(folder());
    if (free && *free != listing_.freeBytes()) {
        listing_.setFreeBytes(*free);
        redrawHeader();
    }
    return 0;
}

void CVantorView::scheduleReread(uint32_t delay) {
    if (delay == 0) startQuietReread();
    else SetTimer(hwnd_, kRereadTimer, delay, nullptr);
}

void CVantorView::startQuietReread() {
    const bool firstRead = listing_.readingNewFolder();
    listing_.startRead(false);
    // A folder still read for the first time shows nothing the keys could have been typed at.
    quietRead_ = !firstRead;
}

void CVantorView::readNewFolder(const std::wstring& cursorName) {
    stopTools();
    quietRead_ = false;
    listing_.startRead(true, cursorName);
    if (hwnd_) SetTimer(hwnd_, kReadingTimer, kReadingTick, nullptr);
}

void CVantorView::onTimer(WPARAM id, LPARAM) {
    if (id == kAdoptTimer) {
        KillTimer(hwnd_, kAdoptTimer);
        onFolderRead();
        return;
    }
    if (id == kSearchTimer) {
        onSearchTimer();
        return;
    }
    if (id == kGoneTimer) {
        KillTimer(hwnd_, kGoneTimer);
        dropGoneItems();
        return;
    }
    if (id == kReadingTimer) {
        if (listing_.readingNewFolder()) redrawHeader();
        else KillTimer(hwnd_, kReadingTimer);
        return;
    }
    if (id != kRereadTimer) {
        callDefault();
        return;
    }
    KillTimer(hwnd_, kRereadTimer);
    pacer_.delayPassed();
    startQuietReread();
}

void CVantorView::forgetQueuedReread() {
    pacer_.forget();
    if (hwnd_) KillTimer(hwnd_, kRereadTimer);
}

void CVantorView::reread(const std::wstring& cursorName) {
    // The user's re-read starts afresh: computed folder sizes go with it.
    sizing_.stop();
    if (forgetFolderSizes(listing_.list())) listing_.list().recount();
    listing_.setStatusNote({});
    forgetQueuedReread();
    quietRead_ = false;
    listing_.startRead(false, cursorName);
}

std::function<void(const std::wstring&)> CVantorView::goneItemNote() {
    // The job may outlive the pane: it keeps the box, and a note to a window gone simply fails.
    const HWND window = hwnd_;
    return [window, box = goneItems_](const std::wstring& path) {
        if (box->add(path)) PostMessageW(window, WM_ITEMS_GONE, 0, 0);
    };
}

LRESULT CVantorView::onItemsGone() {
    // A timer comes after the keys already typed, so a fast delete does not hold them up.
    SetTimer(hwnd_, kGoneTimer, kGoneDelay, nullptr);
    return 0;
}

void CVantorView::dropGoneItems() {
    const std::wstring base = ensureTrailingBackslash(folder());
    std::vector<std::wstring> names;
    for (const std::wstring& path : goneItems_->take()) {
        // A result is named by its path from the folder searched.
        if (listing_.showsResults()) {
            if (path.size() > base.size() && path.compare(0, base.size(), base) == 0) names.push_back(path.substr(base.size()));
            continue;
        }
        // The job named them from this folder; once the pane has moved on they are not its own.
        const std::optional<SplitPath> split = splitPath(path);
        if (split && split->folder == base) names.push_back(split->name);
    }
    if (!names.empty()) listing_.dropOwnItems(names);
}

int CVantorView::ensureVisible(int position, bool repaint) {
    SCROLLINFO si{sizeof(si), SIF_POS | SIF_PAGE};
    GetScrollInfo(hwnd_, SB_VERT, &si);
    // A pane too low for one whole row still scrolls a row at a time.
    const int page = std::max(static_cast<int>(si.nPage), 1);
    const int top = pane_geometry::topShowing(position, si.nPos, page);
    if (top == si.nPos) return 0;
    SetScrollPos(hwnd_, SB_VERT, top, TRUE);
    if (repaint) repaintAll();
    // The bar may have clamped the position; what it holds now is what is drawn.
    return firstVisible() - si.nPos;
}

void CVantorView::scrollRows(int rows) {
    if (rows == 0 || !hwnd_) return;
    const RECT area = listingRect();
    ScrollWindowEx(hwnd_, 0, -rows * lineHeight(), &area, &area, nullptr, nullptr, SW_INVALIDATE);
    UpdateWindow(hwnd_);
}

void CVantorView::setCursor(int position) {
    const int old = listing_.cursor();
    listing_.setCursor(pane_geometry::clampCursor(position, listing_.count()));
    const int rows = ensureVisible(listing_.cursor(), false);
    if (rows != 0) scrollRows(rows);
    const int lines[] = {old, listing_.cursor()};
    redrawLines(lines);
}

void CVantorView::moveCursor(int delta) { setCursor(listing_.cursor() + delta); }

void CVantorView::markRange(int low, int high) {
    const LineRange screen = linesOnScreen();
    std::vector<int> changedOnScreen;
    for (int i = 0; i < listing_.count(); ++i) {
        const MarkMode mode = (i >= low && i <= high) ? MarkMode::Mark : MarkMode::Unmark;
        if (listing_.list().setMark(listing_.index().positionAt(i), mode) && i >= screen.first && i <= screen.last)
            changedOnScreen.push_back(i);
    }
    redrawLines(changedOnScreen);
    redrawHeader();
}

std::vector<const FileEntry*> CVantorView::collectTargets() const {
    std::vector<const FileEntry*> targets;
    const FileEntry* cursorEntry = listing_.cursorEntry();
    if (!cursorEntry || cursorEntry->isParent()) return targets;
    for (int i = 0; i < listing_.count(); ++i)
        if (const FileEntry* entry = listing_.index().entryAt(i); entry->isMarked()) targets.push_back(entry);
    if (targets.empty()) targets.push_back(cursorEntry);
    return targets;
}

PaneOwner* CVantorView::owner() const { return dynamic_cast<PaneOwner*>(parentFrame()); }

CVantorView* CVantorView::otherPane() const {
    PaneOwner* frame = owner();
    return frame ? frame->otherPane(this) : nullptr;
}

void CVantorView::watchFolder(const std::wstring& folder) {
    watcher_.setFolder(folder);
    watcher_.clearPosted();
}

void CVantorView::rearmWatcher() { watcher_.clearPosted(); }

FolderRead::DoneNote CVantorView::readDoneNote() {
    // Only the handle is kept: posting to a window destroyed meanwhile simply fails.
    const HWND window = hwnd_;
    return [window] { PostMessageW(window, WM_FOLDER_READ, 0, 0); };
}

void CVantorView::updateScrollRange() {
    if (!hwnd_) return;
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL};
    si.nMin = 0;
    si.nMax = std::max(listing_.count() - 1, 0);
    si.nPage = static_cast<UINT>(rowsPerPage());
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
}

void CVantorView::ensureCursorVisible(bool redraw) {
    if (listing_.cursor() >= 0) ensureVisible(listing_.cursor(), redraw);
}

void CVantorView::repaintAll() {
    if (!hwnd_) return;
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}

void CVantorView::redrawLine(int displayPosition) { redrawLines({&displayPosition, 1}); }

void CVantorView::redrawLines(std::span<const int> displayPositions) {
    // One device context and one painter for all of them: a marking pass redraws a whole screen.
    if (!hwnd_ || displayPositions.empty() || !owner()) return;
    ClientDc dc(hwnd_);
    RECT rc;
    GetClientRect(hwnd_, &rc);
    PanePainter painter(dc.get(), rc, owner()->listFont().logFont(), lineHeight(), owner()->paneSettings());
    for (const int position : displayPositions)
        if (drawPaneLine(painter, listing_, firstVisible(), position, isActive())) ++paintCounters_.linesRedrawn;
}

LineRange CVantorView::linesOnScreen() const {
    if (!hwnd_) return {0, -1};
    const int first = firstVisible();
    // A row cut off at the bottom is still drawn, so it counts as on screen.
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    const int listingHeight = std::max(static_cast<int>(rc.bottom) - pane_geometry::listingTop(lineHeight()), 0);
    const int rows = (listingHeight + lineHeight() - 1) / lineHeight();
    return {first, first + rows - 1};
}

void CVantorView::redrawHeader() {
    if (!hwnd_ || !owner()) return;
    ClientDc dc(hwnd_);
    RECT rc;
    GetClientRect(hwnd_, &rc);
    PanePainter painter(dc.get(), rc, owner()->listFont().logFont(), lineHeight(), owner()->paneSettings());
    painter.redrawStatusLine(paneStatusText(listing_));
    ++paintCounters_.statusRedraws;
}

void CVantorView::showInCaption(const std::wstring& folder) {
    Document* doc = document();
    if (!doc && parentFrame()) doc = parentFrame()->document();
    if (doc) doc->setTitle(visibleName(folder));
}

void CVantorView::onActivateView(bool active) {
    active_ = active ? 1 : 0;
    redrawLine(listing_.cursor());
    if (active) {
        showInCaption(listing_.folder());
    }
    View::onActivateView(active);
}
