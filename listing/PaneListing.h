// What a pane knows about its folder (folder, mask, sort order, cursor, listing and display
// order) and the operations that re-read, mask, sort and mark it. The pane window implements
// PaneHost for the effects on screen and on the change watcher.
#pragma once
#include "listing/FileIndex.h"
#include "listing/FileList.h"
#include "listing/FolderRead.h"
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

// Display positions from `first` to `last`, both included.
struct LineRange {
    int first;
    int last;
};

class PaneHost {
public:
    virtual ~PaneHost() = default;
    // The change watcher follows this folder from now on and may report the next change.
    virtual void watchFolder(const std::wstring& folder) = 0;
    // The watcher may report the next change (its posted flag is cleared).
    virtual void rearmWatcher() = 0;
    // Scroll range and page size follow the entry count (no drawing).
    virtual void updateScrollRange() = 0;
    // Scrolls so that the cursor line is visible; draws only when asked to.
    virtual void ensureCursorVisible(bool redraw) = 0;
    virtual void repaintAll() = 0;
    // Draws these lines at once, without the rest of the window (cursor moves, marks).
    virtual void redrawLines(std::span<const int> displayPositions) = 0;
    // The display positions that have a row on screen now.
    virtual LineRange linesOnScreen() const = 0;
    virtual void redrawHeader() = 0;
    // What a read on a worker thread calls there when it has ended, so that the pane calls
    // finishRead on its own thread. It must stay safe to call after the pane is gone.
    virtual FolderRead::DoneNote readDoneNote() = 0;
};

// What became of a read on a worker thread when its note came.
enum class ReadOutcome {
    NotDone,     // no read, or not complete yet (the note of a read cancelled since)
    Shown,       // the new listing is shown
    Unreadable,  // the folder could not be listed: it may be gone (an empty listing is shown)
};

class PaneListing {
public:
    PaneListing(PaneHost& host, int paneIndex) : host_(host), paneIndex_(paneIndex) {}
    // A read still running is cancelled; its thread ends on its own and its result is dropped.
    ~PaneListing() { cancelRead(); }
    PaneListing(const PaneListing&) = delete;
    PaneListing& operator=(const PaneListing&) = delete;

    // The settings file that holds the pane's "View<index>" section. Without one, sort order and
    // mask are neither read nor stored.
    void setSettingsFile(std::wstring path) { settingsFile_ = std::move(path); }
    // Reads "SortType", "SortAttr" and "WildCard" of the pane's "View<index>" section.
    void loadViewSettings();

    // Lists the folder afresh (no marks) and aims the watcher at it; the cursor is the caller's.
    int loadFolder();
    // Re-reads the folder keeping the marks and the cursor entry.
    void refresh();

    // Reads the folder on a worker thread; what is shown stays until the read is complete, and a
    // read in flight is cancelled. `fresh` is for a folder just entered: the watcher is aimed at
    // it, the pane is empty meanwhile and the cursor lands on `cursorName` (else the first line).
    // Otherwise the watcher is re-armed first, so a change made during the read brings another
    // note, and the marks and the cursor entry are kept as by refresh, or the cursor goes to
    // `cursorName` when that is listed.
    void startRead(bool fresh, const std::wstring& cursorName = {});
    // A read that replaces the unfinished first read of a folder just entered keeps that read's
    // part: the pane stays empty meanwhile and the cursor lands on its name, else the first line.

    // The program itself made `name` here, or renamed `replaced` to it: the shown listing takes
    // the change at once and the cursor goes to the item, so the next key acts on what is drawn.
    // The folder is then re-read, which only confirms the change.
    void takeOwnItem(const std::wstring& name, const std::wstring& replaced = {});
    // The program itself removed these entries: they leave the shown listing at once; the cursor
    // stays on its entry, or goes to the next one left when its own went.
    void dropOwnItems(const std::vector<std::wstring>& names);
    // The read's note came: shows its listing when it is complete.
    ReadOutcome finishRead();
    // Drops the read in flight, if any.
    void cancelRead();
    bool reading() const { return read_ != nullptr; }
    // Whether the pane is empty while a folder just entered is read, and how many entries are in.
    bool readingNewFolder() const { return read_ && readFresh_; }
    int entriesReadSoFar() const { return read_ ? read_->entriesSoFar() : 0; }
    // How long the last read on a worker thread took.
    uint32_t lastReadTook() const { return lastReadTook_; }
    // Given to every read started from now on (a test pauses a read with it).
    void setEntryHook(FolderRead::EntryHook hook) { entryHook_ = std::move(hook); }
    // The mask becomes `mask` and is stored as "WildCard" at once; the folder is read by the caller.
    void chooseMask(const std::wstring& mask);
    // As chooseMask, and the folder is re-read at once.
    void setMask(const std::wstring& mask);
    // Stores type and group mask as "0x%x" at once and re-sorts, keeping the cursor entry.
    void applySort(int type, uint32_t groupMask);
    void markAll(MarkMode mode);
    // As markAll, leaving folders alone.
    void markAllFiles(MarkMode mode);
    // Whether a real mask is set (neither empty nor "*.*").
    bool hasMask() const { return !mask_.empty() && mask_ != L"*.*"; }

    // A search's results in place of the folder's listing: entries named by their paths from the
    // folder searched (the pane's folder), so every command that joins folder and name reaches
    // them. They come in batches while the search runs; nothing re-reads them, and entering any
    // folder ends them. `label` is what the header shows in place of the folder.
    void beginResults(std::wstring label);
    // Adds a batch in display order, keeping the cursor entry (the first line when there was none).
    void addResults(FileList batch);
    // The search has ended: the room kept for more is given back.
    void endResults();
    bool showsResults() const { return showsResults_; }
    const std::wstring& resultsLabel() const { return resultsLabel_; }
    // The search's counts, for the status line while it runs.
    struct SearchCounts {
        bool running = false;
        int folders = 0;
        int found = 0;
    };
    const SearchCounts& searchCounts() const { return searchCounts_; }
    void setSearchCounts(SearchCounts counts) { searchCounts_ = counts; }

    int paneIndex() const { return paneIndex_; }
    void setPaneIndex(int index) { paneIndex_ = index; }
    std::wstring viewSection() const { return L"View" + std::to_wstring(paneIndex_); }

    const std::wstring& folder() const { return folder_; }
    void setFolder(std::wstring folder) {
        if (folder != folder_) {
            freeBytes_ = -1;
            statusNote_.clear();
        }
        folder_ = std::move(folder);
    }
    // The bytes free to the user in the folder, as last found out; -1 while unknown.
    int64_t freeBytes() const { return freeBytes_; }
    void setFreeBytes(int64_t bytes) { freeBytes_ = bytes; }
    // What a tool at work on the listing (folder sizes, a comparison) tells after the usual status
    // text; it goes with the folder.
    const std::wstring& statusNote() const { return statusNote_; }
    void setStatusNote(std::wstring note) { statusNote_ = std::move(note); }
    const std::wstring& mask() const { return mask_; }
    int sortType() const { return sortType_; }
    uint32_t groupMask() const { return groupMask_; }
    int cursor() const { return cursor_; }
    void setCursor(int cursor) { cursor_ = cursor; }

    const FileList& list() const { return list_; }
    FileList& list() { return list_; }
    const FileIndex& index() const { return index_; }
    int count() const { return index_.count(); }
    const FileEntry* cursorEntry() const { return index_.entryAt(cursor_); }

private:
    int64_t freeBytes_ = -1;
    // takeOwnItem for a result renamed where it lies.
    void takeOwnResult(const std::wstring& name, const std::wstring& replaced);
    std::wstring statusNote_;
    void storeViewSetting(const wchar_t* key, const std::wstring& value) const;
    void markEach(MarkMode mode, bool filesOnly);
    // Sorts the listing afresh and puts the cursor back on `name`, or keeps its line when that
    // is not listed any more; a pane without a cursor stays without one.
    void reindexKeepingCursor(bool hadCursor, const std::wstring& name);
    // Shows `fresh` in place of the listing, as startRead describes.
    void adopt(FileList fresh, bool keepMarks, const std::wstring& cursorName);
    // Whether the mask lets the listing show this item (folders always).
    bool maskShows(const WIN32_FIND_DATAW& data) const;

    PaneHost& host_;
    int paneIndex_;
    std::wstring settingsFile_;
    std::wstring folder_;
    std::wstring mask_;
    int sortType_ = 0;
    uint32_t groupMask_ = 0;
    int cursor_ = -1;
    FileList list_;
    FileIndex index_;
    std::shared_ptr<FolderRead> read_;
    bool readFresh_ = false;
    std::wstring readCursorName_;
    uint32_t lastReadTook_ = 0;
    FolderRead::EntryHook entryHook_;
    bool showsResults_ = false;
    std::wstring resultsLabel_;
    SearchCounts searchCounts_;
};
