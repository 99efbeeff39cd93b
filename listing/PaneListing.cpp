#include "listing/PaneListing.h"
#include "framework/ProfileText.h"
#include "listing/FolderSizes.h"
#include "listing/MarkedNames.h"
#include "common/ItemName.h"
#include "common/PathUtil.h"
#include "framework/Handles.h"
#include <windows.h>
#include <shlwapi.h>
#include <cwchar>
#include <unordered_set>

namespace {
std::wstring hexText(uint32_t value) {
    wchar_t text[16];
    swprintf(text, 16, L"0x%x", value);
    return text;
}
}  // namespace

void PaneListing::loadViewSettings() {
    if (settingsFile_.empty()) return;
    const std::wstring section = viewSection();
    sortType_ = static_cast<int>(GetPrivateProfileIntW(section.c_str(), L"SortType", 0, settingsFile_.c_str()));
    groupMask_ = GetPrivateProfileIntW(section.c_str(), L"SortAttr", 0, settingsFile_.c_str());
    mask_ = readProfileText(section.c_str(), L"WildCard", L"", settingsFile_);
}

void PaneListing::storeViewSetting(const wchar_t* key, const std::wstring& value) const {
    if (!settingsFile_.empty())
        WritePrivateProfileStringW(viewSection().c_str(), key, value.c_str(), settingsFile_.c_str());
}

int PaneListing::loadFolder() {
    showsResults_ = false;
    cancelRead();
    host_.watchFolder(folder_);
    index_.clear();
    const int count = list_.scan(folder_, mask_);
    index_.build(list_);
    index_.sort(sortType_, groupMask_);
    return count;
}

void PaneListing::refresh() {
    if (showsResults_) return;
    cancelRead();
    host_.rearmWatcher();
    const FileEntry* current = cursorEntry();
    const bool hadCursor = cursor_ >= 0;
    const std::wstring cursorName = current ? current->name() : L"";

    {
        // Only the marked names outlive the old listing, so a re-read never holds two listings at once.
        const MarkedNames marked(list_);
        const size_t expected = static_cast<size_t>(list_.size()) + static_cast<size_t>(list_.size()) / 8 + 16;
        index_.clear();
        list_.clear();
        list_.scan(folder_, mask_, expected);
        marked.applyTo(list_);
    }
    reindexKeepingCursor(hadCursor, cursorName);
    host_.updateScrollRange();
    host_.ensureCursorVisible(false);
    host_.repaintAll();
}

void PaneListing::reindexKeepingCursor(bool hadCursor, const std::wstring& name) {
    index_.build(list_);
    index_.sort(sortType_, groupMask_);
    if (hadCursor) {
        const int found = index_.findName(name, 0);
        if (found >= 0) cursor_ = found;
        else if (cursor_ > count() - 1) cursor_ = count() - 1;
    }
}

void PaneListing::startRead(bool fresh, const std::wstring& cursorName) {
    // Results are never re-read: a folder change below them would list the folder instead.
    if (showsResults_ && !fresh) return;
    showsResults_ = false;
    searchCounts_ = {};
    // The pane shows nothing yet and has no cursor to keep: the new read does what the first one
    // was to do, or the listing would come up without a cursor.
    const bool carriesFirstRead = !fresh && readingNewFolder();
    const std::wstring name = carriesFirstRead && cursorName.empty() ? readCursorName_ : cursorName;
    cancelRead();
    readFresh_ = fresh || carriesFirstRead;
    readCursorName_ = name;
    size_t expected = 0;
    if (carriesFirstRead) {
        host_.rearmWatcher();
    } else if (fresh) {
        host_.watchFolder(folder_);
        index_.clear();
        list_.clear();
        cursor_ = -1;
        host_.updateScrollRange();
        host_.repaintAll();
    } else {
        host_.rearmWatcher();
        expected = static_cast<size_t>(list_.size()) + static_cast<size_t>(list_.size()) / 8 + 16;
    }
    read_ = FolderRead::start(folder_, mask_, expected, host_.readDoneNote(), entryHook_);
    if (!read_) {
        // No thread to be had: read here rather than show nothing.
        FileList list;
        list.scan(folder_, mask_, expected);
        adopt(std::move(list), !readFresh_, name);
    }
}

ReadOutcome PaneListing::finishRead() {
    if (!read_ || !read_->finished()) return ReadOutcome::NotDone;
    const std::shared_ptr<FolderRead> done = std::move(read_);
    lastReadTook_ = done->tookMs();
    FileList list = done->takeList();
    const bool unreadable = list.unreadable();
    adopt(std::move(list), !readFresh_, readCursorName_);
    return unreadable ? ReadOutcome::Unreadable : ReadOutcome::Shown;
}

void PaneListing::cancelRead() {
    if (read_) read_->cancel();
    read_.reset();
}

void PaneListing::adopt(FileList fresh, bool keepMarks, const std::wstring& cursorName) {
    const FileEntry* current = cursorEntry();
    const bool hadCursor = cursor_ >= 0;
    const std::wstring currentName = current ? current->name() : L"";
    // The marks as they are now, not when the read began: the user may have marked meanwhile.
    // Sizes first, so the marked total the marks recount holds them.
    if (keepMarks) carryFolderSizes(list_, fresh);
    if (keepMarks) MarkedNames(list_).applyTo(fresh);
    index_.clear();
    list_ = std::move(fresh);
    if (keepMarks) {
        reindexKeepingCursor(hadCursor, currentName);
        const int named = cursorName.empty() ? -1 : index_.findName(cursorName, 0);
        if (named >= 0) cursor_ = named;
    } else {
        index_.build(list_);
        index_.sort(sortType_, groupMask_);
        const int found = index_.findName(cursorName, 0);
        cursor_ = found >= 0 ? found : (count() > 0 ? 0 : -1);
    }
    host_.updateScrollRange();
    host_.ensureCursorVisible(false);
    host_.repaintAll();
}

bool PaneListing::maskShows(const WIN32_FIND_DATAW& data) const {
    if (!hasMask() || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    // The re-read that follows matches with the platform's own rules (short names too) and has
    // the last word.
    return PathMatchSpecW(data.cFileName, mask_.c_str()) != FALSE;
}

void PaneListing::takeOwnItem(const std::wstring& name, const std::wstring& replaced) {
    if (showsResults_) {
        takeOwnResult(name, replaced);
        return;
    }
    if (!readingNewFolder() && nameRefusal(name).empty()) {
        WIN32_FIND_DATAW data;
        const std::wstring path = literalPath(ensureTrailingBackslash(folder_) + name);
        FindHandle find(FindFirstFileExW(path.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0));
        // The platform's spelling: a name typed in another case finds the item that has it.
        const std::wstring found = find ? data.cFileName : L"";
        const bool add = !found.empty() && maskShows(data) && (found == replaced || index_.findName(found, 0) < 0);
        if (!replaced.empty() || add) {
            index_.clear();
            if (!replaced.empty()) list_.removeIf([&](const FileEntry& e) { return replaced == e.name(); });
            if (add) list_.append(data);
            index_.build(list_);
            index_.sort(sortType_, groupMask_);
        }
        const int at = found.empty() ? -1 : index_.findName(found, 0);
        if (at >= 0) cursor_ = at;
        else if (cursor_ > count() - 1) cursor_ = count() - 1;
        host_.updateScrollRange();
        host_.ensureCursorVisible(false);
        host_.repaintAll();
    }
    // A folder still being read for the first time shows nothing yet: its read begins again and
    // lands on the name.
    startRead(false, name);
}

void PaneListing::dropOwnItems(const std::vector<std::wstring>& names) {
    const std::unordered_set<std::wstring> gone(names.begin(), names.end());
    const auto isGone = [&](const FileEntry& e) { return gone.contains(e.name()); };
    // The entry the cursor ends on: its own, else the next one left below it, else above it.
    std::wstring cursorName;
    if (cursor_ >= 0) {
        int kept = cursor_;
        while (kept < count() && isGone(*index_.entryAt(kept))) ++kept;
        if (kept == count()) {
            kept = cursor_;
            while (kept >= 0 && isGone(*index_.entryAt(kept))) --kept;
        }
        if (kept >= 0) cursorName = index_.entryAt(kept)->name();
    }
    // The index points into the entries: it is made anew before anything reads it.
    if (list_.removeIf(isGone) == 0) return;
    reindexKeepingCursor(cursor_ >= 0, cursorName);
    host_.updateScrollRange();
    host_.ensureCursorVisible(false);
    host_.repaintAll();
    // A read begun before the items went may still list them.
    if (reading()) startRead(false);
}

void PaneListing::chooseMask(const std::wstring& mask) {
    mask_ = mask;
    storeViewSetting(L"WildCard", mask_);
}

void PaneListing::setMask(const std::wstring& mask) {
    chooseMask(mask);
    refresh();
}

void PaneListing::applySort(int type, uint32_t groupMask) {
    storeViewSetting(L"SortType", hexText(static_cast<uint32_t>(type)));
    storeViewSetting(L"SortAttr", hexText(groupMask));
    sortType_ = type;
    groupMask_ = groupMask;
    if (cursor_ >= 0) {
        const FileEntry* current = cursorEntry();
        const std::wstring name = current ? current->name() : L"";
        index_.build(list_);
        index_.sort(type, groupMask);
        const int found = index_.findName(name, 0);
        cursor_ = found >= 0 ? found : 0;
    } else {
        index_.build(list_);
        index_.sort(type, groupMask);
    }
    host_.ensureCursorVisible(false);
    host_.repaintAll();
}

void PaneListing::markEach(MarkMode mode, bool filesOnly) {
    // Marking is arithmetic on flags and totals; only the changed lines on screen are drawn.
    const LineRange screen = host_.linesOnScreen();
    std::vector<int> changedOnScreen;
    for (int i = 0; i < index_.count(); ++i) {
        const FileEntry* entry = index_.entryAt(i);
        if (entry->isParent() || (filesOnly && entry->isFolder())) continue;
        if (list_.setMark(index_.positionAt(i), mode) && i >= screen.first && i <= screen.last)
            changedOnScreen.push_back(i);
    }
    host_.redrawLines(changedOnScreen);
    host_.redrawHeader();
}

void PaneListing::markAll(MarkMode mode) { markEach(mode, false); }

void PaneListing::markAllFiles(MarkMode mode) { markEach(mode, true); }

void PaneListing::beginResults(std::wstring label) {
    cancelRead();
    index_.clear();
    list_.clear();
    cursor_ = -1;
    showsResults_ = true;
    resultsLabel_ = std::move(label);
    searchCounts_ = {true, 0, 0};
    host_.updateScrollRange();
    host_.repaintAll();
}

void PaneListing::addResults(FileList batch) {
    if (!showsResults_ || batch.size() == 0) return;
    const FileEntry* current = cursorEntry();
    const bool hadCursor = cursor_ >= 0;
    const std::wstring name = current ? current->name() : L"";
    index_.clear();
    list_.takeAll(std::move(batch));
    reindexKeepingCursor(hadCursor, name);
    if (!hadCursor) cursor_ = 0;
    host_.updateScrollRange();
    host_.ensureCursorVisible(false);
    host_.repaintAll();
}

void PaneListing::endResults() {
    if (!showsResults_) return;
    searchCounts_.running = false;
    // Shrinking moves the entries, so the display order is made again over their new places.
    const FileEntry* current = cursorEntry();
    const bool hadCursor = cursor_ >= 0;
    const std::wstring name = current ? current->name() : L"";
    index_.clear();
    list_.shrinkToFit();
    reindexKeepingCursor(hadCursor, name);
    host_.redrawHeader();
    host_.repaintAll();
}

void PaneListing::takeOwnResult(const std::wstring& name, const std::wstring& replaced) {
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileExW(literalPath(ensureTrailingBackslash(folder_) + name).c_str(), FindExInfoBasic,
                                     &data, FindExSearchNameMatch, nullptr, 0));
    index_.clear();
    if (!replaced.empty()) list_.removeIf([&](const FileEntry& e) { return replaced == e.name(); });
    // The result keeps its path from the folder searched, in the platform's spelling of its own name.
    std::wstring found;
    if (find) {
        const size_t slash = name.rfind(L'\\');
        found = (slash == std::wstring::npos ? std::wstring() : name.substr(0, slash + 1)) + data.cFileName;
        list_.appendNamed(data, found);
        list_.recount();
    }
    index_.build(list_);
    index_.sort(sortType_, groupMask_);
    const int at = found.empty() ? -1 : index_.findName(found, 0);
    if (at >= 0) cursor_ = at;
    else if (cursor_ > count() - 1) cursor_ = count() - 1;
    host_.updateScrollRange();
    host_.ensureCursorVisible(false);
    host_.repaintAll();
}
