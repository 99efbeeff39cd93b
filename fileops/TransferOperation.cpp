#include "fileops/TransferOperation.h"
#include "common/PathUtil.h"
#include "fileops/JobLink.h"
#include "fileops/TransferRules.h"

namespace {
bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool lastWriteTime(const std::wstring& path, FILETIME& time) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
    time = data.ftLastWriteTime;
    return true;
}

bool sameTextIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// Runs `each` for the entries of a folder other than "." and "..", until it returns false.
template <typename Each>
bool forEachEntry(const std::wstring& folder, Each each) {
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW((ensureTrailingBackslash(folder) + L"*.*").c_str(), &data));
    if (!find) return false;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (!each(name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)) break;
    } while (FindNextFileW(find.get(), &data));
    return true;
}
}  // namespace

void TransferOperation::body() {
    const std::wstring destinationRoot = rootPrefix(destination);
    const std::wstring targetFolder = ensureTrailingBackslash(destination);
    for (const std::wstring& path : paths) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        const std::optional<SplitPath> split = splitPath(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && split) {
            sameVolume_ = sameTextIgnoringCase(rootPrefix(path), destinationRoot) ? 1 : 0;
            const std::wstring sourceFolder = ensureTrailingBackslash(split->folder);
            // Moving an item onto itself does nothing.
            if (!(move == 1 && sourceFolder == targetFolder)) {
                if (attributes & FILE_ATTRIBUTE_DIRECTORY) transferFolder(sourceFolder, targetFolder, split->name);
                else transferFile(sourceFolder, targetFolder, split->name);
            }
        }
        if (cancelled()) return;
    }
}

void TransferOperation::askSameName(const std::wstring& source, const std::wstring& target, int note) {
    report(source, 0);
    report(target, 1);
    link_->decision.source = source;
    link_->decision.target = target;
    ask(note);
}

void TransferOperation::transferFile(const std::wstring& sourceFolder, const std::wstring& targetFolder,
                                     const std::wstring& name) {
    ConflictDecision& d = link_->decision;
    const std::wstring source = sourceFolder + name;
    d.newName = name;
    std::wstring target = targetFolder + d.newName;
    // Tried first without replacing: an existing target makes it fail, and the usual case costs no
    // separate look-up of the target (which on a large folder may mean reading the whole folder).
    report(source, 0);
    report(target, 1);
    if (transferFileTo(source, target, false)) return;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return;  // passed over
    while (exists(target)) {
        if (d.fileApplyToAll == 0 || d.fileDecision == kRename) {
            askSameName(source, target, kSameNameFile);
            if (cancelled()) return;
        }
        if (d.fileDecision == kOnlyNewer) {
            FILETIME sourceTime{}, targetTime{};
            if (lastWriteTime(source, sourceTime) && lastWriteTime(target, targetTime) &&
                olderInWholeLocalSeconds(sourceTime, targetTime))
                return;
            break;
        }
        if (d.fileDecision == kOverwrite) break;
        if (d.fileDecision != kRename) return;  // not transferred
        target = targetFolder + d.newName;
    }
    report(source, 0);
    report(target, 1);
    // Failures are passed over: the item stays where it was and the job goes on.
    transferFileTo(source, target, true);
}

bool TransferOperation::transferFileTo(const std::wstring& source, const std::wstring& target, bool replace) const {
    if (move == 1) {
        const DWORD flags = MOVEFILE_COPY_ALLOWED | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
        return MoveFileExW(source.c_str(), target.c_str(), flags) != FALSE;
    }
    return CopyFileW(source.c_str(), target.c_str(), replace ? FALSE : TRUE) != FALSE;
}

void TransferOperation::transferFolder(const std::wstring& sourceFolder, const std::wstring& targetFolder,
                                       const std::wstring& name) {
    ConflictDecision& d = link_->decision;
    const std::wstring source = sourceFolder + name;
    d.newName = name;
    std::wstring target = targetFolder + d.newName;
    while (exists(target)) {
        if (d.folderApplyToAll == 0 || d.folderDecision == kRename) {
            askSameName(source, target, kSameNameFolder);
            if (cancelled()) return;
        }
        if (d.folderDecision == kOverwrite) {
            transferContents(source, target);  // merged into the existing folder
            return;
        }
        if (d.folderDecision == kDeleteThenTransfer) {
            report(target, 1);
            deleteTree(target, 1);
            break;
        }
        if (d.folderDecision != kRename) return;  // not transferred
        target = targetFolder + d.newName;
    }
    if (move == 1 && sameVolume_ == 1) {
        report(source, 0);
        report(target, 1);
        MoveFileW(source.c_str(), target.c_str());
        return;
    }
    CreateDirectoryW(target.c_str(), nullptr);
    transferContents(source, target);
}

void TransferOperation::transferContents(const std::wstring& source, const std::wstring& target) {
    const std::wstring from = ensureTrailingBackslash(source), to = ensureTrailingBackslash(target);
    forEachEntry(source, [&](const std::wstring& name, bool folder) {
        if (cancelled()) return false;
        if (folder) transferFolder(from, to, name);
        else transferFile(from, to, name);
        return true;
    });
    if (!cancelled() && move == 1) {
        // Anything skipped or failed keeps the source folder in place.
        report(source, 0);
        deleteItem(source);
    }
}

void TransferOperation::deleteTree(const std::wstring& folder, int slot) {
    const std::wstring base = ensureTrailingBackslash(folder);
    forEachEntry(folder, [&](const std::wstring& name, bool isFolder) {
        if (cancelled()) return false;
        if (isFolder) {
            deleteTree(base + name, slot);
        } else {
            report(base + name, slot);
            deleteItem(base + name);
        }
        return true;
    });
    if (cancelled()) return;
    report(folder, slot);
    deleteItem(folder);
}
