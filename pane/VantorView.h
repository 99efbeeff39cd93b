// A file pane: lists one folder, draws it by hand, and carries out the cursor, marking, listing and
// navigation commands, the mouse gestures and the shell context menu.
#pragma once
#include "fileops/ChangeWatcher.h"
#include "find/FolderSearch.h"
#include "framework/View.h"
#include "keys/ParameterReceiver.h"
#include "launch/MacroExpander.h"
#include "folders/FolderHistory.h"
#include "listing/FileEntry.h"
#include "listing/PaneListing.h"
#include "listing/RereadPacer.h"
#include "pane/CompareRun.h"
#include "pane/FolderSizing.h"
#include "pane/FreeSpace.h"
#include "pane/GoneItems.h"
#include "pane/PaneAccessibility.h"
#include "pane/QuickSearchLine.h"
#include <memory>
#include <optional>
#include <span>
#include <vector>

class PaneDropTarget;

// The change watcher's note that the pane's folder changed.
constexpr UINT WM_FOLDER_CHANGED = WM_USER + 100;
// A read of the pane's folder on a worker thread has ended.
constexpr UINT WM_FOLDER_READ = WM_USER + 110;
// The change watcher has closed its handle on the pane's folder, so a folder deleted meanwhile is
// really gone.
constexpr UINT WM_WATCHER_RELEASED = WM_USER + 111;
// A job of the pane's has removed items (see GoneItems).
constexpr UINT WM_ITEMS_GONE = WM_USER + 112;
// The free space of the pane's folder has been found out (see FreeSpace).
constexpr UINT WM_FREE_SPACE = WM_USER + 113;
// A search in the pane has results waiting, or has ended.
constexpr UINT WM_SEARCH_FOUND = WM_USER + 114;
// Folder sizes are in (see FolderSizing), or the run has ended.
constexpr UINT WM_FOLDER_SIZED = WM_USER + 115;
// The two panes' compare has read another file (wParam 0) or ended (1) (see CompareRun).
constexpr UINT WM_COMPARE_NOTE = WM_USER + 116;

enum class MouseGesture { Idle = 0, Click = 1, ShiftClick = 2, CtrlClick = 3, HeaderPress = 4, BelowPress = 5 };

// What the pane drew, so the cost of cursor movement and scrolling can be checked from outside.
struct PaintCounters {
    int paints = 0;       // WM_PAINT handled
    int headerPaints = 0; // of those, the ones that drew the header
    int linesPainted = 0; // listing lines drawn by WM_PAINT
    int linesRedrawn = 0; // listing lines drawn directly (cursor, marks)
    int statusRedraws = 0; // status lines drawn directly (marks, a folder's read under way)
    RECT lastPaint{};     // the update rectangle of the last WM_PAINT
};

class PaneOwner;

class CVantorView : public View, public PaneHost, public ParameterReceiver {
public:
    CVantorView();

    PaneListing& listing() { return listing_; }
    const PaneListing& listing() const { return listing_; }
    int paneIndex() const { return listing_.paneIndex(); }
    const std::wstring& folder() const { return listing_.folder(); }
    FolderHistory& history() { return history_; }
    MouseGesture gesture() const { return gesture_; }
    int anchor() const { return anchor_; }
    bool isActive() const { return active_ != 0; }
    const PaintCounters& paintCounters() const { return paintCounters_; }
    ChangeWatcher& watcher() { return watcher_; }
    QuickSearchLine& quickSearch() { return quickSearch_; }
    // Whether the pane still has work on its folder under way: a read in flight, a re-read queued,
    // a check whether its folder is gone, its watcher still opening the folder, or its free space
    // being found out.
    bool busy() const {
        return listing_.reading() || pacer_.waiting() || releasePending_ || watcher_.opening() || freeSpace_.pending() ||
               searching();
    }
    // Whether a search runs in the pane (its results are shown as they come).
    bool searching() const { return search_ != nullptr; }
    const FolderSearch* search() const { return search_.get(); }
    // Shows the results of `query` below the pane's folder in place of its listing; false when no
    // thread could be had for it.
    bool startSearch(FindQuery query);
    // Stops the search, keeping what it found.
    void stopSearch();

    // Whether folder sizes or a compare are being worked out for the pane (Escape stops them).
    bool toolRunning() const { return sizing_.running() || compare_.running(); }
    // Stops both; what was found so far stays.
    void stopTools();

    // First display position on screen: the scroll bar's position.
    int firstVisible() const;
    int lineHeight() const;
    // Whole rows that fit in `height` pixels below the header (the client height when height <= 0).
    int rowsPerPage(int height = 0) const;
    // Display position at client y, or -1 on the header, -2 below the last entry.
    int hitTest(int y) const;

    void setCursor(int position);
    void moveCursor(int delta);
    // Scrolls so that `position` is on screen; the rows scrolled (0 when none).
    int ensureVisible(int position, bool repaint);
    // Moves the drawn rows up by `rows` (down when negative) and paints what was uncovered.
    void scrollRows(int rows);
    // Marks exactly the display positions low..high, unmarking all others.
    void markRange(int low, int high);

    // Makes another folder current: `target` is resolved against the pane's folder when `relative`,
    // else against the process's current directory. The new folder goes into the drive memory and
    // the head of the history, is listed afresh, and the cursor lands on the folder just left after
    // "..", on ".." otherwise. A folder that cannot be entered changes nothing and says nothing; the
    // process's current directory is never changed.
    void changeFolder(const std::wstring& target, bool relative);

    // Looks a key up in the key table: a binding with a parameter calls its command's parameter
    // handler at once, any other binding posts its command to the frame. `virtualKey` is set for
    // key-down messages and clear for characters. True when something was dispatched.
    bool dispatchKey(unsigned key, bool virtualKey);

    // The entries a command acts on: none without a cursor or on "..", else the marked ones, else
    // the cursor entry.
    std::vector<const FileEntry*> collectTargets() const;
    // The full paths a file job works on: the marked entries in the order the folder was read, else
    // the cursor entry unless it is "..". The marks stay; the command clears them when it starts.
    std::vector<std::wstring> jobSelection() const;
    CVantorView* otherPane() const;
    // The frame holding this pane, which gives it the program's settings, font, keys and drive
    // memory; null only outside the main frame.
    PaneOwner* owner() const;

    // Drag and drop onto the pane: the effect for a drag's file list (none when it has none, or
    // over the header), and the transfer of dropped or pasted files into the pane's folder, moving
    // for a move effect and copying for any other; false when it was refused.
    DWORD dropEffect(const std::optional<std::vector<std::wstring>>& files, DWORD keys, POINTL at) const;
    bool acceptFiles(const std::vector<std::wstring>& files, DWORD effect);

    // What a macro run from this pane works on: its folder, the other pane's, the cursor entry and
    // the targets, taken once before the first expansion.
    MacroScene macroScene() const;
    // Expands the macro for this pane and starts it in `startFolder` (the pane's folder when empty).
    void launch(const std::wstring& macro, const std::wstring& startFolder);
    // A folder is entered; any other entry gets the shell's `verb`, run in the pane's folder.
    void openWithShell(const FileEntry& entry, const wchar_t* verb);

    // PaneHost
    void watchFolder(const std::wstring& folder) override;
    void rearmWatcher() override;
    void updateScrollRange() override;
    void ensureCursorVisible(bool redraw) override;
    void repaintAll() override;
    void redrawLine(int displayPosition);
    void redrawLines(std::span<const int> displayPositions) override;
    LineRange linesOnScreen() const override;
    void redrawHeader() override;
    FolderRead::DoneNote readDoneNote() override;

    // ParameterReceiver: key dispatch calls these at once with a binding's parameter.
    void onDriveSelectParameter(const std::wstring& parameter) override;
    void onDirDirectParameter(const std::wstring& parameter) override;
    void onMacroParameter(const std::wstring& parameter) override;
    void onWildcardParameter(const std::wstring& parameter) override;

    void onActivateView(bool active) override;

    // Every message and command may move the cursor or change marks: screen readers hear of it after each.
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool onCmdMsg(UINT id, CommandMode mode, CommandUI* ui) override;

protected:
    const MessageMap* messageMap() const override;
    // Each handler file lists what it handles, so the file that names a command's identifier
    // in an entry is the one that handles it; messageMap chains the lists.
    static std::span<const MessageEntry> keyMessages();
    static std::span<const MessageEntry> mouseMessages();
    static std::span<const MessageEntry> listCommands();
    static std::span<const MessageEntry> navigationCommands();
    static std::span<const MessageEntry> launchCommands();
    static std::span<const MessageEntry> fileJobCommands();
    static std::span<const MessageEntry> itemCommands();
    static std::span<const MessageEntry> clipboardCommands();
    static std::span<const MessageEntry> findCommands();
    static std::span<const MessageEntry> toolCommands();
    LRESULT onCreate(WPARAM wParam, LPARAM lParam);
    LRESULT onGetObject(WPARAM wParam, LPARAM lParam);
    void onDestroy();
    void onPaint();
    LRESULT onEraseBackground();
    void onSize(UINT type, int cx, int cy);
    void onVScroll(WPARAM wParam, LPARAM lParam);
    LRESULT onFolderChanged();
    LRESULT onFolderRead();
    LRESULT onWatcherReleased();
    LRESULT onItemsGone();
    LRESULT onFreeSpace();
    LRESULT onDeviceChange(WPARAM event, LPARAM data);
    LRESULT onSearchFound();
    void onSearchTimer();
    // Merges what the search found so far; a search that has ended, or is `stopped`, ends here.
    void takeSearchResults(bool stopped);
    void onTimer(WPARAM id, LPARAM);
    // Reads a folder just entered, its status line counting what was read until the listing shows.
    void readNewFolder(const std::wstring& cursorName);
    void onKeyDown(WPARAM wParam, LPARAM lParam);
    void onChar(WPARAM wParam, LPARAM lParam);

    // Mouse
    void onLButtonDown(WPARAM wParam, LPARAM lParam);
    void onMouseMove(WPARAM wParam, LPARAM lParam);
    void onLButtonUp(WPARAM wParam, LPARAM lParam);
    void onLButtonDblClk(WPARAM wParam, LPARAM lParam);
    void onCaptureChanged(WPARAM wParam, LPARAM lParam);
    void onCancelMode();
    LRESULT onMouseWheel(WPARAM wParam, LPARAM lParam);
    void onRButtonDown(WPARAM wParam, LPARAM lParam);
    void onContextMenu(WPARAM wParam, LPARAM lParam);
    // Owner-draw and pop-up messages of menus the pane owns: offered to an open shell menu, never
    // passed on, so pane pop-ups set their own check marks.
    LRESULT onDrawItem(WPARAM wParam, LPARAM lParam);
    LRESULT onMeasureItem(WPARAM wParam, LPARAM lParam);
    LRESULT onInitMenuPopup(WPARAM wParam, LPARAM lParam);

    // Commands
    void onRenew();
    void onWildcard();
    void onAllCard();
    void onUpdateAllCard(CommandUI& ui);
    void onSort(UINT id);
    void onUpdateSort(CommandUI& ui);
    void onSortOptDir();
    void onUpdateSortOptDir(CommandUI& ui);
    void onSortPopup();
    void onMarkCommand(UINT id);
    void onLineUp();
    void onLineDown();
    void onPageUp();
    void onPageDown();
    void onTop();
    void onBottom();
    void onMark();
    void onMarkDown();
    void onActiveToggle();
    void onQuickSearch();

    // Navigation
    void onDriveSelect();
    void onDirTree();
    void onDirDirect();
    void onDirHistory();
    void onDirBookmark();
    void onDirRoot();
    void onDirParent();
    void onDirByActive();
    void onDirByLeft();
    void onDirByRight();
    void onDirSwap();
    // Starting programs. Opening the cursor entry: a folder is entered; files go to the programs
    // that open them.
    void onFileOpenApp();
    void onFileViewOrEdit(UINT id);
    void onFileProperty();
    void onMacro();
    void onMacroDos();

    // File jobs
    void onFileTransfer(UINT id);
    void onFileDelete();
    void onFileAttributes();
    void onFileTimestamp();
    // Changing and making items at once, on this thread
    void onFileRename();
    void onMakeFolder();
    void onNewFile();
    void onShortcut();
    // Finding
    void onToolFind();
    void onDirJump();
    // Folder sizes and the compare
    void onDirSize();
    void onDirSizeAll();
    void onMarkCompare();
    LRESULT onFolderSized();
    LRESULT onCompareNote(WPARAM wParam, LPARAM lParam);
    // Clipboard
    void onEditCopy();
    void onEditCut();
    void onEditPaste();
    void onUpdateEditPaste(CommandUI& ui);

private:
    // Toggles the mark of the cursor entry and redraws its line and the header; false on "..".
    bool toggleCursorMark();
    // Where dragging the marked entries starts; the transfer itself comes with drag and drop.
    void beginDrag();
    void showContextMenu();
    RECT listingRect() const;
    // Has the watcher let go of the pane's folder, and then (on WM_WATCHER_RELEASED) checks whether
    // it still exists: see moveUpIfGone.
    void leaveVanishedFolder();
    // When the pane's folder no longer exists (deleted, or replaced by a file), goes to its nearest
    // ancestor that does, with the cursor on the name the way back down would take. The root is
    // the last one tried.
    void moveUpIfGone();
    // A re-read the user asked for: whatever the watcher had queued is dropped.
    void reread(const std::wstring& cursorName = {});
    // The watcher's queued re-read, after `delay` milliseconds (0: now).
    void scheduleReread(uint32_t delay);
    // A re-read nobody asked for just now: keys already typed meanwhile were typed at the listing
    // as drawn, so its result waits until they are handled.
    void startQuietReread();
    // Lets go of the entries in the pane's folder that a job has removed.
    void dropGoneItems();
    // What a job of the pane's calls on its worker for each item it removed.
    std::function<void(const std::wstring&)> goneItemNote();
    void forgetQueuedReread();
    // Lists the folder afresh through `mask`, stored at once.
    void applyMask(const std::wstring& mask);
    // Shows `folder` (a full path that can be listed) with the cursor on `cursorName` when listed.
    void enterFolder(const std::wstring& folder, const std::wstring& cursorName);
    // Puts `folder` in the main window's caption, as shown (see VisibleName.h).
    void showInCaption(const std::wstring& folder);
    // Shows why and returns true when the transfer would put a folder inside itself.
    bool refusedIntoOwnSubtree(const std::vector<std::wstring>& sources, const std::wstring& destination) const;
    // Puts the selection's file list on the clipboard with `effect` as the preferred drop effect.
    void offerToClipboard(DWORD effect, bool withShellList);
    // The job selection, with the marks cleared as a job takes them.
    std::vector<std::wstring> takeJobSelection();
    // The window that owns a job's progress dialog: the main window, so it outlives the pane's focus.
    HWND jobOwner() const;
    // Makes a folder or an empty file named through the input dialog and puts the cursor on that
    // name when it is listed.
    void createNamedItem(const wchar_t* title, bool makeFolder);
    // Shows at once an item the pane made (or renamed from `replaced`), with the cursor on it.
    void showOwnItem(const std::wstring& name, const std::wstring& replaced);

    // A search's results are merged in on this timer (the pane's other timers are 1 to 4).
    static constexpr UINT_PTR kSearchTimer = 5;
    PaneListing listing_;
    PaneAccessibility accessibility_{*this};
    int active_ = 0;
    MouseGesture gesture_ = MouseGesture::Idle;
    int anchor_ = 0;
    FolderHistory history_;
    ChangeWatcher watcher_;
    RereadPacer pacer_;
    bool releasePending_ = false;  // the watcher is letting go; WM_WATCHER_RELEASED follows
    bool quietRead_ = false;       // the read in flight is a re-read nobody asked for just now
    std::shared_ptr<GoneItems> goneItems_ = std::make_shared<GoneItems>();
    FreeSpaceQuestion freeSpace_;
    std::shared_ptr<FolderSearch> search_;  // the search whose results come into the pane
    ULONGLONG searchMergedAt_ = 0;
    ChangeWatcher::Device removing_;  // the device the user asked to remove, until it went or stayed
    PaneDropTarget* dropTarget_ = nullptr;  // registered for drops while the window lives
    PaintCounters paintCounters_;
    QuickSearchLine quickSearch_{*this};
    FolderSizing sizing_;
    FolderTally sizedSoFar_;  // the run's totals, for its status note
    int foldersSized_ = 0;
    CompareRun compare_;
    CompareBy compareBy_ = CompareBy::TimeAndSize;  // the dialog's last choice
    bool compareSubfolders_ = false;
    // Sizes `names` of the pane's folder on the run's thread (links at once, as nothing).
    void sizeFolders(const std::vector<std::wstring>& names);
    void showSizingNote(bool running);
};
