// The pane's file jobs: copying and moving its selection into the other pane's folder.
#include "common/PathUtil.h"
#include "common/ResolvedPath.h"
#include "fileops/TransferJob.h"
#include "fileops/TransferRules.h"
#include "framework/MessageBox.h"
#include "pane/VantorView.h"
#include "resource.h"

// The commands this file handles: copy and move.
std::span<const MessageEntry> CVantorView::fileJobCommands() {
    static const MessageEntry entries[] = {
        onCommandRange<ID_FILE_COPY, ID_FILE_MOVE, &CVantorView::onFileTransfer>(),
    };
    return entries;
}

std::vector<std::wstring> CVantorView::jobSelection() const {
    std::vector<std::wstring> paths;
    const std::wstring base = ensureTrailingBackslash(listing_.folder());
    const FileList& list = listing_.list();
    // Marked entries in the order the folder was read, not in display order.
    for (const FileEntry& entry : list.entries())
        if (entry.isMarked()) paths.push_back(base + entry.name());
    if (paths.empty()) {
        const FileEntry* cursor = listing_.cursorEntry();
        if (cursor && !cursor->isParent()) paths.push_back(base + cursor->name());
    }
    return paths;
}

bool CVantorView::refusedIntoOwnSubtree(const std::vector<std::wstring>& sources,
                                        const std::wstring& destination) const {
    if (!entersOwnSubtree(sources, destination)) return false;
    showMessageBox(hwnd_, L"フォルダをそれ自身の中へ転送することはできません", MB_ICONEXCLAMATION | MB_OK);
    return true;
}

void CVantorView::onFileTransfer(UINT id) {
    CVantorView* other = otherPane();
    if (!other) return;
    const std::wstring destination = other->folder();
    if (isSameItem(destination, folder())) {
        showMessageBox(hwnd_, L"転送元と転送先が同じです", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    if (listing_.count() == 0) return;
    const std::vector<std::wstring> sources = jobSelection();
    if (sources.empty()) return;
    // Checked before the marks go, so a refused transfer leaves the selection as it was.
    if (refusedIntoOwnSubtree(sources, destination)) return;
    listing_.markAll(MarkMode::Unmark);
    startTransfer(sources, destination, id == ID_FILE_MOVE, jobOwner());
}
