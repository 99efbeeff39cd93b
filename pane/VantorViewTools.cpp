// The pane's tools that work out something about its folders off the user-interface thread: folder
// sizes (TOOL_DIR_SIZE, TOOL_DIR_SIZE_ALL) and the two panes' compare (MARK_COMPARE).
#include "common/SizeFormat.h"
#include "listing/FolderSizes.h"
#include "pane/CompareDialog.h"
#include "pane/PaneOwner.h"
#include "pane/VantorView.h"
#include "resource.h"
#include <unordered_set>

// The commands this file handles: folder sizes and the compare.
std::span<const MessageEntry> CVantorView::toolCommands() {
    static const MessageEntry entries[] = {
        onCommand<ID_TOOL_DIR_SIZE, &CVantorView::onDirSize>(),
        onCommand<ID_TOOL_DIR_SIZE_ALL, &CVantorView::onDirSizeAll>(),
        onCommand<ID_MARK_COMPARE, &CVantorView::onMarkCompare>(),
    };
    return entries;
}

void CVantorView::stopTools() {
    const bool running = toolRunning();
    sizing_.stop();
    compare_.stop();
    if (running && !listing_.statusNote().empty()) {
        listing_.setStatusNote(L"中止しました");
        redrawHeader();
    }
}

void CVantorView::onDirSize() {
    // The marked folders, wherever the cursor is; else the cursor's folder.
    std::vector<std::wstring> names;
    for (const FileEntry& entry : listing_.list().entries())
        if (entry.isMarked() && entry.isFolder()) names.emplace_back(entry.name());
    const FileEntry* cursor = listing_.cursorEntry();
    if (names.empty() && listing_.list().markedCount() == 0 && cursor && cursor->isFolder() && !cursor->isParent())
        names.emplace_back(cursor->name());
    if (names.empty()) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    sizeFolders(names);
}

void CVantorView::onDirSizeAll() {
    std::vector<std::wstring> names;
    for (int i = 0; i < listing_.count(); ++i) {
        const FileEntry* entry = listing_.index().entryAt(i);
        if (entry->isFolder() && !entry->isParent()) names.emplace_back(entry->name());
    }
    if (!names.empty()) sizeFolders(names);
}

void CVantorView::sizeFolders(const std::vector<std::wstring>& names) {
    compare_.stop();
    sizedSoFar_ = {};
    foldersSized_ = 0;
    // A link is never entered: it counts as nothing, at once, and the note says so.
    std::vector<std::wstring> walked;
    const auto positions = folderPositions(listing_.list());
    for (const std::wstring& name : names) {
        const auto at = positions.find(name);
        if (at != positions.end() && listing_.list().at(at->second).isLink()) {
            setFolderSize(listing_.list(), at->second, 0, false);
            ++sizedSoFar_.links;
            ++foldersSized_;
        } else {
            walked.push_back(name);
        }
    }
    if (walked.empty() || !sizing_.start(hwnd_, WM_FOLDER_SIZED, folder(), std::move(walked))) {
        showSizingNote(false);
        repaintAll();
        return;
    }
    showSizingNote(true);
    redrawHeader();
}

void CVantorView::showSizingNote(bool running) {
    std::wstring note = running ? L"容量計算中… " : L"容量: ";
    note += std::to_wstring(foldersSized_) + L" フォルダ " + formatThousands(static_cast<int64_t>(sizedSoFar_.files)) +
            L" ファイル " + (sizedSoFar_.lowerBound() ? L"\u2265" : L"") +
            formatThousands(static_cast<int64_t>(sizedSoFar_.bytes)) + L" バイト";
    if (sizedSoFar_.links > 0) note += L" リンク " + std::to_wstring(sizedSoFar_.links) + L" 個は 0 バイト";
    if (sizedSoFar_.unlisted > 0) note += L" 読めないフォルダ " + std::to_wstring(sizedSoFar_.unlisted) + L" 個";
    if (running) note += L" Esc:中止";
    listing_.setStatusNote(std::move(note));
}

LRESULT CVantorView::onFolderSized() {
    if (sizing_.folder() != folder()) {
        sizing_.stop();
        return 0;
    }
    const std::vector<SizedFolder> figures = sizing_.take();
    const bool running = sizing_.running();
    if (!figures.empty()) {
        const auto positions = folderPositions(listing_.list());
        for (const SizedFolder& f : figures) {
            const auto at = positions.find(f.name);
            if (at != positions.end()) setFolderSize(listing_.list(), at->second, f.tally.bytes, f.tally.lowerBound());
            sizedSoFar_.bytes += f.tally.bytes;
            sizedSoFar_.files += f.tally.files;
            sizedSoFar_.links += f.tally.links;
            sizedSoFar_.unlisted += f.tally.unlisted;
            sizedSoFar_.stopped = sizedSoFar_.stopped || f.tally.stopped;
            ++foldersSized_;
        }
        // A size sort puts the folders where their figures now belong, keeping the cursor's entry.
        if (listing_.sortType() == 5 || listing_.sortType() == 6) listing_.applySort(listing_.sortType(), listing_.groupMask());
    }
    if (figures.empty() && running) return 0;
    showSizingNote(running);
    repaintAll();
    return 0;
}

void CVantorView::onMarkCompare() {
    CVantorView* other = otherPane();
    if (!other || other == this) return;
    CompareDialog dialog;
    dialog.by = compareBy_;
    dialog.subfolders = compareSubfolders_;
    if (dialog.doModal(hwnd_) != IDOK) return;
    compareBy_ = dialog.by;
    compareSubfolders_ = dialog.subfolders;
    sizing_.stop();
    // The left pane's folder is the compare's left side, whichever pane asked.
    const CVantorView& left = paneIndex() == 0 ? *this : *other;
    const CVantorView& right = paneIndex() == 0 ? *other : *this;
    if (!compare_.start(hwnd_, WM_COMPARE_NOTE, {left.folder(), left.listing().mask()},
                        {right.folder(), right.listing().mask()}, compareBy_, compareSubfolders_))
        return;
    listing_.setStatusNote(L"比較中… Esc:中止");
    redrawHeader();
}

namespace {
// Marks exactly the entries named, unmarking the rest.
void markExactly(CVantorView& pane, const std::vector<std::wstring>& names) {
    const std::unordered_set<std::wstring> wanted(names.begin(), names.end());
    FileList& list = pane.listing().list();
    for (int i = 0; i < list.size(); ++i)
        list.setMark(i, wanted.contains(list.at(i).name()) ? MarkMode::Mark : MarkMode::Unmark);
    pane.repaintAll();
}
}  // namespace

LRESULT CVantorView::onCompareNote(WPARAM wParam, LPARAM) {
    if (wParam == 0) {
        if (!compare_.running()) return 0;
        const auto [done, total] = compare_.progress();
        listing_.setStatusNote(L"比較中… " + std::to_wstring(done) + L"/" + std::to_wstring(total) + L" ファイル Esc:中止");
        redrawHeader();
        return 0;
    }
    const std::optional<CompareOutcome> outcome = compare_.take();
    CVantorView* other = otherPane();
    if (!outcome || !other) return 0;
    CVantorView& left = paneIndex() == 0 ? *this : *other;
    CVantorView& right = paneIndex() == 0 ? *other : *this;
    // Both panes must still show what was compared, or the names would mark other entries.
    if (left.folder() != compare_.left().folder || right.folder() != compare_.right().folder) {
        listing_.setStatusNote({});
        redrawHeader();
        return 0;
    }
    markExactly(left, outcome->left);
    markExactly(right, outcome->right);
    listing_.setStatusNote(L"比較: 違い 左 " + std::to_wstring(outcome->left.size()) + L" 件 右 " +
                           std::to_wstring(outcome->right.size()) + L" 件");
    redrawHeader();
    return 0;
}
