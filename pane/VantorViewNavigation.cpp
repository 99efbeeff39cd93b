// Making another folder current in a pane, and the commands that do so.
#include "common/PathUtil.h"
#include "folders/DriveFolderTable.h"
#include "folders/DriveSelectDialog.h"
#include "folders/FolderBrowser.h"
#include "folders/FolderInputDialog.h"
#include "folders/FolderListDialog.h"
#include "framework/FrameWindow.h"
#include "pane/FolderCheck.h"
#include "pane/PaneOwner.h"
#include "pane/VantorView.h"
#include "resource.h"
#include <memory>
#include <optional>

// The commands this file handles: going to other folders.
std::span<const MessageEntry> CVantorView::navigationCommands() {
    static const MessageEntry entries[] = {
        onCommand<ID_DRIVE_SELECT, &CVantorView::onDriveSelect>(),
        onCommand<ID_DIR_TREE, &CVantorView::onDirTree>(),
        onCommand<ID_DIR_DIRECT, &CVantorView::onDirDirect>(),
        onCommand<ID_DIR_HISTORY, &CVantorView::onDirHistory>(),
        onCommand<ID_DIR_BOOKMARK, &CVantorView::onDirBookmark>(),
        onCommand<ID_DIR_ROOT, &CVantorView::onDirRoot>(),
        onCommand<ID_DIR_PARENT, &CVantorView::onDirParent>(),
        onCommand<ID_DIR_BY_ACTIVE, &CVantorView::onDirByActive>(),
        onCommand<ID_DIR_BY_LEFT, &CVantorView::onDirByLeft>(),
        onCommand<ID_DIR_BY_RIGHT, &CVantorView::onDirByRight>(),
        onCommand<ID_DIR_SWAP, &CVantorView::onDirSwap>(),
    };
    return entries;
}

namespace {
// The name after the last backslash; empty when there is none.
std::wstring lastName(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(slash + 1);
}

struct PanePair {
    CVantorView* left = nullptr;
    CVantorView* right = nullptr;
    explicit operator bool() const { return left && right; }
};

// The panes in the splitter's columns 0 and 1, whichever is active.
PanePair columnsOf(PaneOwner* frame) {
    return frame ? PanePair{frame->paneInColumn(0), frame->paneInColumn(1)} : PanePair{};
}
}  // namespace

void CVantorView::changeFolder(const std::wstring& target, bool relative) {
    // Resolved as text, never by making the folder the process's current directory: the platform
    // may keep that in a fixed buffer which a long folder overruns.
    const std::wstring folder = resolveFolderText(listing_.folder(), target, relative);
    const std::optional<bool> listable =
        folder.empty() ? std::optional<bool>(false) : checkWithin([folder] { return folderListable(folder); });
    if (listable.value_or(false)) {
        enterFolder(folder, target == L".." ? lastName(listing_.folder()) : L"..");
        return;
    }
    // A drive that does not answer in time leaves the pane where it is, answering keys.
    if (!listable) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    // A pane whose own folder has gone is not left stuck in it by a target that fails too.
    leaveVanishedFolder();
}

void CVantorView::leaveVanishedFolder() {
    // The watcher's own handle would keep a folder deleted meanwhile from going away; nothing here
    // waits for the watcher to close it.
    if (watcher_.letGoThenPost(WM_WATCHER_RELEASED)) releasePending_ = true;
    else moveUpIfGone();
}

LRESULT CVantorView::onWatcherReleased() {
    releasePending_ = false;
    moveUpIfGone();
    return 0;
}

void CVantorView::moveUpIfGone() {
    const std::wstring gone = listing_.folder();
    // As if the user had gone up one level at a time: the cursor lands on the way back down. The
    // way is found off this thread; a drive that does not answer in time leaves the pane as it is.
    struct WayUp {
        std::wstring folder, cursorName;
    };
    auto way = std::make_shared<WayUp>();
    const std::optional<bool> found = gone.empty() ? std::optional<bool>(false) : checkWithin([gone, way] {
        if (folderExists(gone)) return false;
        std::wstring below = gone;
        for (auto up = parentFolder(gone); up; below = *up, up = parentFolder(*up)) {
            if (folderListable(*up)) {
                *way = {*up, lastName(below)};
                return true;
            }
        }
        return false;
    });
    if (found.value_or(false)) enterFolder(way->folder, way->cursorName);
    else watcher_.setFolder(gone);
}

void CVantorView::enterFolder(const std::wstring& folder, const std::wstring& cursorName) {
    stopSearch();
    listing_.setFolder(folder);
    showInCaption(folder);
    if (owner()) owner()->driveFolders().remember(folder);
    history_.visit(folder);
    forgetQueuedReread();
    readNewFolder(cursorName);
}

void CVantorView::onDriveSelect() {
    DriveSelectDialog dialog;
    dialog.chosenLetter = folder().substr(0, 1);
    if (dialog.doModal(hwnd_) != IDOK || dialog.chosenLetter.empty()) return;
    if (owner()) changeFolder(owner()->driveFolders().recall(dialog.chosenLetter[0]), false);
}

void CVantorView::onDirTree() {
    std::wstring chosen = folder();
    if (browseForFolder(hwnd_, chosen)) changeFolder(chosen, false);
}

void CVantorView::onDirDirect() {
    FolderInputDialog dialog;
    dialog.folder = folder();
    // A relative text means a folder seen from this pane, not from wherever the program started.
    if (dialog.doModal(hwnd_) == IDOK) changeFolder(dialog.folder, true);
}

void CVantorView::onDirHistory() {
    HistoryDialog dialog(history_);
    if (dialog.doModal(hwnd_) != IDOK || dialog.chosenIndex < 0) return;
    // Copied: entering the folder reorders the history it comes from.
    const std::wstring chosen = history_.entryAt(dialog.chosenIndex);
    if (!chosen.empty()) changeFolder(chosen, false);
}

void CVantorView::onDirBookmark() {
    NumberedSection bookmarks;
    bookmarks.setSection(L"EntryDir", 50);
    const PanePair panes = columnsOf(owner());
    BookmarkDialog dialog(bookmarks, [panes](int side) {
        CVantorView* pane = side == 0 ? panes.left : panes.right;
        return pane ? pane->folder() : std::wstring();
    });
    if (dialog.doModal(hwnd_) != IDOK || dialog.chosenIndex < 0) return;
    const std::wstring chosen = bookmarks.read(dialog.chosenIndex);
    if (!chosen.empty()) changeFolder(chosen, false);
}

void CVantorView::onDriveSelectParameter(const std::wstring& parameter) {
    if (parameter.empty() || !owner()) return;
    changeFolder(owner()->driveFolders().recall(parameter[0]), false);
}

void CVantorView::onDirDirectParameter(const std::wstring& parameter) { changeFolder(parameter, true); }

void CVantorView::onDirRoot() { changeFolder(L"\\", true); }
void CVantorView::onDirParent() {
    // From a search's results, back to the folder it searched.
    if (listing_.showsResults()) enterFolder(folder(), {});
    else changeFolder(L"..", true);
}

void CVantorView::onDirByActive() {
    if (CVantorView* other = otherPane(); other && other != this) other->changeFolder(folder(), false);
}

void CVantorView::onDirByLeft() {
    if (const PanePair panes = columnsOf(owner())) panes.right->changeFolder(panes.left->folder(), false);
}

void CVantorView::onDirByRight() {
    if (const PanePair panes = columnsOf(owner())) panes.left->changeFolder(panes.right->folder(), false);
}

void CVantorView::onDirSwap() {
    const PanePair panes = columnsOf(owner());
    if (!panes) return;
    const std::wstring oldLeft = panes.left->folder(), oldRight = panes.right->folder();
    panes.left->changeFolder(oldRight, false);
    panes.right->changeFolder(oldLeft, false);
}
