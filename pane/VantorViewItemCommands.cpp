// The pane's commands that change or make items where they are: delete, rename, attributes,
// timestamps, new folders and files, and shortcuts.
#include "common/InputDialog.h"
#include "common/ItemHandle.h"
#include "common/ItemName.h"
#include "common/PathUtil.h"
#include "common/VisibleName.h"
#include "fileops/AttributeDialog.h"
#include "fileops/ItemJobs.h"
#include "fileops/ShellLink.h"
#include "fileops/TimestampDialog.h"
#include "framework/Handles.h"
#include "framework/MessageBox.h"
#include "pane/RenameDialog.h"
#include "pane/VantorView.h"
#include "resource.h"
#include <commdlg.h>

// The commands this file handles: delete, rename, attributes, times, new items.
std::span<const MessageEntry> CVantorView::itemCommands() {
    static const MessageEntry entries[] = {
        onCommand<ID_FILE_DELETE, &CVantorView::onFileDelete>(),
        onCommand<ID_FILE_RENAME, &CVantorView::onFileRename>(),
        onCommand<ID_FILE_ATTRIBUTES, &CVantorView::onFileAttributes>(),
        onCommand<ID_FILE_TIMESTAMP, &CVantorView::onFileTimestamp>(),
        onCommand<ID_TOOL_MKDIR, &CVantorView::onMakeFolder>(),
        onCommand<ID_TOOL_NEWFILE, &CVantorView::onNewFile>(),
        onCommand<ID_TOOL_SHORTCUT, &CVantorView::onShortcut>(),
    };
    return entries;
}

namespace {
// An attached, unstarted job over `paths`; none when there is nothing to do.
template <typename Job>
Job* attachedJobFor(const std::vector<std::wstring>& paths) {
    if (paths.empty()) return nullptr;
    auto* job = new Job;
    job->attach();
    job->operation().paths = paths;
    return job;
}

std::wstring formatCount(const wchar_t* format, size_t count) {
    wchar_t text[128];
    swprintf(text, 128, format, static_cast<int>(count));
    return text;
}

// The count as the question has always put it; a single item is also named on a line of its own,
// so the user sees which one goes, shown as it is, markers and all.
std::wstring deleteQuestion(const std::vector<std::wstring>& paths) {
    std::wstring question = formatCount(L"%d個のファイルを削除してもよろしいですか?", paths.size());
    if (paths.size() != 1) return question;
    const std::optional<SplitPath> split = splitPath(paths.front());
    return question + L"\n「" + visibleName(split ? split->name : paths.front()) + L"」";
}
}  // namespace

std::vector<std::wstring> CVantorView::takeJobSelection() {
    std::vector<std::wstring> paths = jobSelection();
    listing_.markAll(MarkMode::Unmark);
    return paths;
}

HWND CVantorView::jobOwner() const { return GetAncestor(hwnd_, GA_ROOT); }

void CVantorView::onFileDelete() {
    if (listing_.count() == 0) return;
    DeleteJob* job = attachedJobFor<DeleteJob>(takeJobSelection());
    if (!job) return;
    if (showMessageBox(hwnd_, deleteQuestion(job->operation().paths), MB_ICONQUESTION | MB_YESNO) != IDYES) {
        delete job;
        return;
    }
    // Each item leaves the listing as soon as it is gone, before the watcher's re-read.
    job->operation().itemGone = goneItemNote();
    FileJob::start(job, jobOwner());
}

void CVantorView::onFileRename() {
    const FileEntry* cursor = listing_.cursorEntry();
    if (!cursor || cursor->isParent()) return;
    const std::wstring listed = cursor->name();
    // A search's result is renamed where it lies: the dialog shows its own name only.
    const size_t slash = listed.rfind(L'\\');
    const std::wstring within = slash == std::wstring::npos ? std::wstring() : listed.substr(0, slash + 1);
    const std::wstring base = ensureTrailingBackslash(folder()) + within;
    const std::wstring oldName = listed.substr(within.size());
    const std::wstring oldPath = base + oldName;
    RenameDialog input(oldName);
    // The input comes back with the typed name until the platform takes it or the user gives up.
    while (input.doModal(hwnd_) == IDOK && !input.text.empty()) {
        // Renamed by a handle on the entry itself: a link is renamed as itself or not at all.
        ItemHandle item = ItemHandle::open(oldPath, ItemHandle::kRename);
        if (item && item.renameTo(base + input.text, false)) {
            showOwnItem(within + input.text, listed);
            return;
        }
        showMessageBox(hwnd_, systemErrorText(item.error()), MB_OK | MB_ICONEXCLAMATION);
    }
}

void CVantorView::onFileAttributes() {
    const std::vector<const FileEntry*> targets = collectTargets();
    if (targets.empty()) return;
    DWORD attributes = 0;
    for (const FileEntry* entry : targets) attributes |= entry->attributes;
    AttributeDialog dialog(attributes, targets.size() > 1);
    if (dialog.doModal(hwnd_) != IDOK) return;
    AttributeJob* job = attachedJobFor<AttributeJob>(takeJobSelection());
    if (!job) return;
    job->operation().masks = masksOf(dialog.boxes);
    job->operation().recurse = dialog.recurse;
    FileJob::start(job, jobOwner());
}

void CVantorView::onFileTimestamp() {
    const std::vector<const FileEntry*> targets = collectTargets();
    if (targets.empty()) return;
    TimestampDialog dialog;
    for (const FileEntry* entry : targets)
        if (entry->attributes & FILE_ATTRIBUTE_DIRECTORY) dialog.containsFolder = true;
    const FileEntry* cursor = listing_.cursorEntry();
    dialog.times[TimestampDialog::kCreation] = toFileTime(cursor->creationTime);
    dialog.times[TimestampDialog::kLastAccess] = toFileTime(cursor->accessTime);
    dialog.times[TimestampDialog::kLastWrite] = toFileTime(cursor->writeTime);
    if (dialog.doModal(hwnd_) != IDOK) return;
    TimestampJob* job = attachedJobFor<TimestampJob>(takeJobSelection());
    if (!job) return;
    TimestampOperation& operation = job->operation();
    if (dialog.checked[TimestampDialog::kCreation]) operation.creation = dialog.times[TimestampDialog::kCreation];
    if (dialog.checked[TimestampDialog::kLastAccess]) operation.lastAccess = dialog.times[TimestampDialog::kLastAccess];
    if (dialog.checked[TimestampDialog::kLastWrite]) operation.lastWrite = dialog.times[TimestampDialog::kLastWrite];
    operation.recurse = dialog.recurse;
    FileJob::start(job, jobOwner());
}

void CVantorView::onMakeFolder() { createNamedItem(L"新規フォルダ作成", true); }

void CVantorView::onNewFile() { createNamedItem(L"新規ファイル作成", false); }

void CVantorView::createNamedItem(const wchar_t* title, bool makeFolder) {
    InputDialog input;
    input.title = title;
    if (input.doModal(hwnd_) != IDOK) return;
    const std::wstring path = ensureTrailingBackslash(folder()) + input.text;
    // Failures (the name exists, is not allowed, no right to write) are silent: an item of that
    // name, new or old, gets the cursor. An existing file is never opened for writing, so it
    // cannot be truncated.
    if (makeFolder) {
        CreateDirectoryW(path.c_str(), nullptr);
    } else {
        UniqueHandle file = UniqueHandle::fromApi(
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    showOwnItem(input.text, {});
}

void CVantorView::showOwnItem(const std::wstring& name, const std::wstring& replaced) {
    forgetQueuedReread();
    const bool firstRead = listing_.readingNewFolder();
    listing_.takeOwnItem(name, replaced);
    quietRead_ = !firstRead;
}

void CVantorView::onShortcut() {
    const FileEntry* cursor = listing_.cursorEntry();
    if (!cursor || cursor->isParent()) return;
    const std::wstring target = ensureTrailingBackslash(folder()) + cursor->name();
    const CVantorView* other = otherPane();
    const std::wstring initialFolder = other ? other->folder() : folder();

    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring proposed = shortcutFileName(cursor->name());
    proposed.copy(file.data(), std::min(proposed.size(), file.size() - 1));
    static const wchar_t kFilter[] = L"ショートカット ファイル (*.lnk)\0*.lnk\0全てのファイル (*.*)\0*.*\0";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = hwnd_;
    dialog.lpstrFilter = kFilter;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = initialFolder.c_str();
    dialog.lpstrDefExt = L"lnk";
    dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    if (!GetSaveFileNameW(&dialog)) return;
    if (!createShortcut(file.data(), target)) showMessageBox(nullptr, L"ショートカット作成失敗", MB_OK);
}
