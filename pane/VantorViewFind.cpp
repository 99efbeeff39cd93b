// A search through the pane's folder tree, shown in the pane as its results come, and the way
// from a result to the folder it lies in.
#include "common/PathUtil.h"
#include "find/FindDialog.h"
#include "framework/MessageBox.h"
#include "pane/FolderCheck.h"
#include "pane/VantorView.h"
#include "resource.h"
#include <algorithm>

namespace {
// The results are merged in at most this often while the search runs: sorting a growing listing
// on every batch would cost more than the search.
constexpr UINT kSearchTick = 100;
}  // namespace

// The commands this file handles: searching and going to a result's folder.
std::span<const MessageEntry> CVantorView::findCommands() {
    static const MessageEntry entries[] = {
        onCommand<ID_TOOL_FIND, &CVantorView::onToolFind>(),
        onCommand<ID_DIR_JUMP, &CVantorView::onDirJump>(),
    };
    return entries;
}

void CVantorView::onToolFind() {
    // The command again stops the search, keeping what it found.
    if (searching()) {
        stopSearch();
        return;
    }
    FindDialog dialog(folder());
    if (dialog.doModal(hwnd_) == IDOK) startSearch(dialog.query);
}

bool CVantorView::startSearch(FindQuery query) {
    stopSearch();
    forgetQueuedReread();
    query.folder = folder();
    listing_.beginResults(searchTitle(query));
    const HWND window = hwnd_;
    search_ = FolderSearch::start(std::move(query), [window] { PostMessageW(window, WM_SEARCH_FOUND, 0, 0); });
    if (!search_) {
        listing_.endResults();
        return false;
    }
    searchMergedAt_ = 0;
    if (hwnd_) SetTimer(hwnd_, kSearchTimer, kSearchTick, nullptr);
    return true;
}

void CVantorView::stopSearch() {
    if (!search_) return;
    search_->cancel();
    takeSearchResults(true);
}

LRESULT CVantorView::onSearchFound() {
    // Batches wait for the timer unless the pane shows nothing yet: the first result at once.
    if (search_ && (listing_.count() == 0 || search_->finished())) takeSearchResults(false);
    return 0;
}

void CVantorView::takeSearchResults(bool stopped) {
    if (!search_) return;
    const std::shared_ptr<FolderSearch> search = search_;
    // Asked before the take: a search that has finished has handed over all it found, where one
    // finishing after the take may have handed over more since.
    const bool finished = search->finished();
    listing_.addResults(search->takeFound());
    listing_.setSearchCounts({true, search->foldersSearched(), search->found()});
    searchMergedAt_ = GetTickCount64();
    if (!stopped && !finished) {
        redrawHeader();
        return;
    }
    // A search stopped by the user ends as it stands; its thread finds its own way out.
    search_.reset();
    KillTimer(hwnd_, kSearchTimer);
    listing_.endResults();
    if (stopped) return;
    const std::wstring report = failureReport(search->failures());
    if (!report.empty()) showMessageBox(hwnd_, report, MB_OK | MB_ICONEXCLAMATION);
}

void CVantorView::onSearchTimer() { takeSearchResults(false); }

void CVantorView::onDirJump() {
    const FileEntry* cursor = listing_.cursorEntry();
    if (!listing_.showsResults() || !cursor) return;
    const std::wstring path = ensureTrailingBackslash(folder()) + cursor->name();
    const std::optional<SplitPath> split = splitPath(path);
    if (!split) return;
    const std::wstring target = split->folder;
    if (checkWithin([target] { return folderListable(target); }).value_or(false)) {
        stopSearch();
        enterFolder(target.size() > 3 ? target.substr(0, target.size() - 1) : target, split->name);
    } else {
        MessageBeep(MB_ICONEXCLAMATION);
    }
}
