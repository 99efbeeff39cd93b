#include "pane/PaneAccessibility.h"
#include "pane/ListingLine.h"
#include "pane/PaneGeometry.h"
#include "pane/PaneOwner.h"
#include "pane/PanePainter.h"
#include "pane/VantorView.h"
#include <utility>

PaneAccessibility::~PaneAccessibility() { detach(); }

void PaneAccessibility::detach() {
    if (!object_) return;
    object_->disconnect();
    std::exchange(object_, nullptr)->Release();
}

LRESULT PaneAccessibility::answerGetObject(WPARAM flags, LPARAM objectId) {
    if (static_cast<LONG>(objectId) != OBJID_CLIENT) return 0;
    if (!object_) object_ = new AccessibleList(*this);
    return LresultFromObject(__uuidof(IAccessible), flags, object_);
}

void PaneAccessibility::announceChanges() {
    HWND window = pane_.hwnd();
    if (!window) return;
    const PaneListing& listing = pane_.listing();
    const FileEntry* cursor = listing.cursorEntry();
    Announced now{listing.folder(), listing.cursor(), cursor ? cursor->name() : std::wstring(), GetFocus() == window,
                  listing.list().markedCount(), listing.list().markedBytes()};
    if (now.folder != announced_.folder) NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    if (now.marked != announced_.marked || now.markedBytes != announced_.markedBytes)
        NotifyWinEvent(EVENT_OBJECT_SELECTIONWITHIN, window, OBJID_CLIENT, CHILDID_SELF);
    const bool cursorMoved = now.cursor != announced_.cursor || now.cursorName != announced_.cursorName ||
                             now.folder != announced_.folder;
    if (now.focused && (cursorMoved || !announced_.focused))
        NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT,
                       now.cursor >= 0 ? AccessibleList::childId(now.cursor) : CHILDID_SELF);
    announced_ = std::move(now);
}

HWND PaneAccessibility::listWindow() const { return pane_.hwnd(); }

std::wstring PaneAccessibility::listName() const { return pane_.listing().folder(); }

std::wstring PaneAccessibility::listDescription() const { return paneStatusText(pane_.listing()); }

int PaneAccessibility::itemCount() const { return pane_.listing().count(); }

std::wstring PaneAccessibility::itemName(int position) const {
    const FileEntry* entry = pane_.listing().index().entryAt(position);
    return entry ? entry->name() : std::wstring();
}

std::wstring PaneAccessibility::itemDescription(int position) const {
    const FileEntry* entry = pane_.listing().index().entryAt(position);
    const PaneOwner* owner = pane_.owner();
    if (!entry || !owner) return {};
    return entryDescription(*entry, LineSettings::from(owner->paneSettings()));
}

bool PaneAccessibility::itemMarked(int position) const {
    const FileEntry* entry = pane_.listing().index().entryAt(position);
    return entry && entry->isMarked();
}

int PaneAccessibility::cursorPosition() const { return pane_.listing().cursor(); }

bool PaneAccessibility::itemScreenRect(int position, RECT& rect) const {
    const LineRange shown = pane_.linesOnScreen();
    if (position < shown.first || position > shown.last) return false;
    const int height = pane_.lineHeight();
    RECT client{};
    GetClientRect(pane_.hwnd(), &client);
    const int top = pane_geometry::listingTop(height) + (position - pane_.firstVisible()) * height;
    rect = {client.left, top, client.right, top + height};
    MapWindowPoints(pane_.hwnd(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

int PaneAccessibility::itemAtScreenPoint(POINT point) const {
    ScreenToClient(pane_.hwnd(), &point);
    return pane_.hitTest(point.y);
}
