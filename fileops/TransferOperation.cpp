#include "fileops/TransferOperation.h"
#include "common/ItemHandle.h"
#include "common/PathUtil.h"
#include "common/ReparseTag.h"
#include "common/ResolvedPath.h"
#include "fileops/ByteCount.h"
#include "fileops/ChangeWatcher.h"
#include "fileops/FileCopy.h"
#include "fileops/FolderEntries.h"
#include "fileops/JobFailures.h"
#include "fileops/JobLink.h"
#include "fileops/TransferRules.h"
#include <algorithm>
#include <memory>

namespace {
bool exists(const std::wstring& path) {
    return GetFileAttributesW(literalPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool lastWriteTime(const std::wstring& path, FILETIME& time) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(literalPath(path).c_str(), GetFileExInfoStandard, &data)) return false;
    time = data.ftLastWriteTime;
    return true;
}

bool sameTextIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// Where a folder resolves, ending in a backslash; the spelling when it cannot be resolved.
std::wstring resolvedFolder(const std::wstring& folder) {
    const std::wstring resolved = resolvedPath(folder);
    return ensureTrailingBackslash(resolved.empty() ? folder : resolved);
}

// The name of the file system `path` lies on ("NTFS", "FAT32"); empty when it cannot be told.
std::wstring fileSystemOf(const std::wstring& path) {
    wchar_t root[MAX_PATH + 1] = {}, name[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(path.c_str(), root, MAX_PATH + 1) ||
        !GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, name, MAX_PATH + 1))
        return {};
    return name;
}

// Whether one of two resolved folders is the other or lies inside it.
bool overlap(const std::wstring& a, const std::wstring& b) { return resolvedInside(a, b) || resolvedInside(b, a); }
}  // namespace

void TransferOperation::body() {
    transferAll();
    settleCopy();
}

void TransferOperation::transferAll() {
    const Place to{ensureTrailingBackslash(destination), resolvedFolder(destination)};
    const std::wstring destinationRoot = rootPrefix(destination);
    destinationFileSystem_ = fileSystemOf(destination);
    std::wstring sourceRoot;
    Place from;
    // Only a copy is counted: the count holds each folder open while it reads it, and a move
    // must remove its source folders (a move within a drive writes no bytes anyway).
    std::optional<ByteCount> count;
    if (move == 0) count.emplace(paths, link_->bytes.total);
    {
        std::lock_guard<std::mutex> guard(countLock_);
        count_ = count ? &*count : nullptr;
    }
    // Forgotten before the count goes, whichever way this function is left.
    struct ForgetCount {
        TransferOperation& operation;
        ~ForgetCount() {
            std::lock_guard<std::mutex> guard(operation.countLock_);
            operation.count_ = nullptr;
        }
    } forgetCount{*this};
    for (const std::wstring& path : paths) {
        const DWORD attributes = GetFileAttributesW(literalPath(path).c_str());
        const std::optional<SplitPath> split = splitPath(path);
        if (attributes == INVALID_FILE_ATTRIBUTES || !split) {
            passOver(path, split ? GetLastError() : ERROR_INVALID_NAME);  // gone since it was chosen
        } else {
            sameVolume_ = sameTextIgnoringCase(rootPrefix(path), destinationRoot) ? 1 : 0;
            if (!sameTextIgnoringCase(rootPrefix(path), sourceRoot)) {
                sourceRoot = rootPrefix(path);
                sourceFileSystem_ = fileSystemOf(path);
            }
            if (split->folder != from.folder) from = {split->folder, resolvedFolder(split->folder)};
            // Moving an item into the folder it is in does nothing, however the folder is spelled.
            if (!(move == 1 && sameResolvedPath(from.resolved, to.resolved))) {
                if (attributes & FILE_ATTRIBUTE_DIRECTORY)
                    transferFolder(from, to, split->name, attributes, reparseTagFor(path, attributes));
                else transferFile(from, to, split->name);
            }
        }
        if (cancelled()) return;
    }
}

void TransferOperation::interruptWaits() {
    FileOperation::interruptWaits();
    tail_.interrupt();
    std::lock_guard<std::mutex> guard(countLock_);
    if (count_) count_->interrupt();
}

void TransferOperation::askSameName(const std::wstring& source, const std::wstring& target, int note) {
    settleCopy();
    report(source, 0);
    report(target, 1);
    link_->decision.source = source;
    link_->decision.target = target;
    ask(note);
}

void TransferOperation::transferFile(const Place& from, const Place& to, const std::wstring& name) {
    ConflictDecision& d = link_->decision;
    const std::wstring source = from.folder + name, resolved = from.resolved + name;
    d.newName = name;
    std::wstring target = to.folder + d.newName;
    // Tried first without replacing: an existing target makes it fail, and the usual case costs no
    // separate look-up of the target (which on a large folder may mean reading the whole folder).
    report(source, 0);
    report(target, 1);
    const DWORD error = transferFileTo(source, resolved, target, false);
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
        if (error != 0 && !cancelled()) passOver(source, error);
        return;
    }
    const int choice = chooseForExisting(source, to.folder, target, kSameNameFile);
    if (choice == kOnlyNewer) {
        FILETIME sourceTime{}, targetTime{};
        const bool coarse = hasTwoSecondTimes(sourceFileSystem_) || hasTwoSecondTimes(destinationFileSystem_);
        if (lastWriteTime(source, sourceTime) && lastWriteTime(target, targetTime) &&
            leftAsNotNewer(sourceTime, targetTime, coarse))
            return;
    } else if (choice != kNameFree && choice != kOverwrite) {
        return;  // skipped, or the job was cancelled
    }
    // An item is never written onto itself, and a target that is a link is not written through:
    // what it leads to was not chosen.
    if (exists(target)) {
        const ItemHandle existing = ItemHandle::open(target, ItemHandle::kChange, to.resolved + d.newName);
        if (!existing || sameResolvedPath(resolvedPath(target), resolvedPath(source))) {
            passOver(source, existing ? kFailOntoItself : existing.error());
            return;
        }
    }
    report(source, 0);
    report(target, 1);
    // Failures are passed over: the item stays where it was and the job goes on.
    if (const DWORD failed = transferFileTo(source, resolved, target, true); failed != 0 && !cancelled()) passOver(source, failed);
}

int TransferOperation::chooseForExisting(const std::wstring& source, const std::wstring& folder, std::wstring& target,
                                         int note) {
    ConflictDecision& d = link_->decision;
    const bool file = note == kSameNameFile;
    while (exists(target)) {
        const int applyToAll = file ? d.fileApplyToAll : d.folderApplyToAll;
        const int& decision = file ? d.fileDecision : d.folderDecision;
        if (applyToAll == 0 || decision == kRename) {
            askSameName(source, target, note);
            if (cancelled()) return kCancelled;
        }
        if (decision != kRename) return decision;
        target = folder + d.newName;
    }
    return kNameFree;
}

DWORD TransferOperation::transferFileTo(const std::wstring& source, const std::wstring& resolved,
                                        const std::wstring& target, bool replace) {
    // A copy to a new name is finished by the tail; anything else waits for the copy in hand.
    if (move == 0 && !replace) return copyInTurn(source, target);
    settleCopy();
    // A moved source is renamed or removed by a handle on itself, so a link goes as itself or not
    // at all; the platform would otherwise move or delete what it leads to. The handle is held
    // through the copy, so the item removed is the one that was copied.
    ItemHandle item;
    if (move == 1) {
        item = ItemHandle::open(source, sameVolume_ == 1 ? ItemHandle::kRename : ItemHandle::kRemove, resolved);
        if (!item) return item.error();
        if (sameVolume_ == 1) {
            if (item.renameTo(target, replace)) {
                noteDone();
                return 0;
            }
            if (item.error() != ERROR_NOT_SAME_DEVICE) return item.error();
            item = ItemHandle::open(source, ItemHandle::kRemove, resolved);
            if (!item) return item.error();
        }
    }
    BegunCopy copy;
    if (const DWORD error = beginCopy(source, target, replace, copy, largestFileOn(destinationFileSystem_))) return error;
    if (const DWORD error = finishCounted(copy)) return error;
    if (move == 1 && !item.remove()) return item.error();
    noteDone();
    return 0;
}

DWORD TransferOperation::copyInTurn(const std::wstring& source, const std::wstring& target) {
    BegunCopy copy;
    const uint64_t largest = largestFileOn(destinationFileSystem_);
    DWORD error = beginCopy(source, target, false, copy, largest);
    // The name may be that of the copy in hand (two sources of one name, from two folders): once
    // that is finished, the name is met as an existing file.
    if (error != 0 && error != ERROR_FILE_TOO_LARGE && settleCopy()) error = beginCopy(source, target, false, copy, largest);
    if (error != 0) return error;
    settleCopy();
    auto begun = std::make_shared<BegunCopy>(std::move(copy));
    tail_.handOver(source, [this, begun] { return finishCounted(*begun); });
    return 0;
}

DWORD TransferOperation::finishCounted(BegunCopy& copy) {
    JobBytes& bytes = link_->bytes;
    bytes.fileDone = 0;
    bytes.fileSize = 0;
    const DWORD error = finishCopy(copy, [&](uint64_t done, uint64_t size) {
        bytes.fileSize.store(size, std::memory_order_relaxed);
        bytes.fileDone.store(done, std::memory_order_relaxed);
        bytes.done.store(copied_ + done, std::memory_order_relaxed);
        return !cancelled();
    });
    copied_ = bytes.done;
    return error;
}

bool TransferOperation::settleCopy() {
    const std::optional<CopyTail::Ended> ended = tail_.settle();
    if (ended && ended->error == 0) noteDone();
    else if (ended && !cancelled()) fail(ended->source, ended->error);
    return ended.has_value();
}

void TransferOperation::passOver(const std::wstring& path, DWORD error) {
    settleCopy();
    fail(path, error);
}

void TransferOperation::transferFolder(const Place& from, const Place& to, const std::wstring& name,
                                       DWORD attributes, DWORD tag) {
    ConflictDecision& d = link_->decision;
    const std::wstring source = from.folder + name;
    std::wstring sourceResolved;
    const bool linked = isLinkedFolder(source, attributes, tag, from.resolved, name, sourceResolved);
    if (sourceResolved.empty()) {  // gone, or cannot be opened
        passOver(source, GetLastError());
        return;
    }
    // A move takes a link as itself; a copy copies what it leads to. Neither enters a folder it is
    // already walking (a link back up the tree) nor one that holds the folder written into.
    if (std::any_of(copying_.begin(), copying_.end(),
                    [&](const std::wstring& f) { return sameResolvedPath(f, sourceResolved); }) ||
        resolvedInside(to.resolved, sourceResolved)) {
        passOver(source, kFailLoop);
        return;
    }
    if (move == 1 && linked && sameVolume_ == 0) {  // it cannot be carried across as itself
        passOver(source, ItemHandle::kReachedThroughLink);
        return;
    }
    d.newName = name;
    std::wstring target = to.folder + d.newName;
    const int choice = chooseForExisting(source, to.folder, target, kSameNameFolder);
    if (choice == kOverwrite || choice == kDeleteThenTransfer) {
        // Merging into, or deleting, a target that is the source or holds it (or lies inside it)
        // would transfer the folder onto itself or delete it before it is read.
        const std::wstring targetResolved = resolvedPath(target);
        if (targetResolved.empty() || overlap(targetResolved, sourceResolved)) {
            passOver(source, kFailOverlapsSource);
            return;
        }
        if (choice == kOverwrite) {
            transferContents({ensureTrailingBackslash(source), ensureTrailingBackslash(sourceResolved)}, source,
                             {ensureTrailingBackslash(target), ensureTrailingBackslash(targetResolved)});
            return;
        }
        report(target, 1);
        std::wstring walked;
        DWORD leftover = ERROR_DIR_NOT_EMPTY;  // what deleteTree could not remove it reports itself
        const DWORD targetAttributes = GetFileAttributesW(literalPath(target).c_str());
        if (!isLinkedFolder(target, targetAttributes, reparseTagFor(target, targetAttributes), to.resolved, d.newName, walked))
            deleteTree(target, walked, 1);
        else if (ItemHandle link = ItemHandle::open(target, ItemHandle::kRemove, to.resolved + d.newName); !(link && link.remove()))
            leftover = link.error();
        if (cancelled()) return;
        // What could not be deleted is not transferred into.
        if (exists(target)) {
            passOver(source, leftover);
            return;
        }
    } else if (choice != kNameFree) {
        return;  // skipped, or the job was cancelled
    }
    if (move == 1 && sameVolume_ == 1) {
        report(source, 0);
        report(target, 1);
        ItemHandle item = ItemHandle::open(source, ItemHandle::kRename, from.resolved + name);
        if (item && item.renameTo(target, false)) {
            noteDone();
            return;
        }
        // A link the platform cannot move as itself stays where it is.
        if (!item || item.error() != ERROR_NOT_SAME_DEVICE) {
            passOver(source, item.error());
            return;
        }
    }
    if (move == 1 && linked) {
        passOver(source, ItemHandle::kReachedThroughLink);
        return;
    }
    if (!CreateDirectoryW(literalPath(target).c_str(), nullptr)) {
        passOver(target, GetLastError());
        return;
    }
    // A folder made for a source that could not be listed would pass for its complete, empty copy.
    if (transferContents({ensureTrailingBackslash(source), ensureTrailingBackslash(sourceResolved)}, source,
                         {ensureTrailingBackslash(target), resolvedFolder(target)}) != 0)
        RemoveDirectoryW(literalPath(target).c_str());
}

DWORD TransferOperation::transferContents(const Place& source, const std::wstring& sourcePath, const Place& target) {
    copying_.push_back(source.resolved);
    const int failuresBefore = failures();
    const DWORD listing = forEachEntry(source.folder, [&](const WIN32_FIND_DATAW& data) {
        if (cancelled()) return false;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            transferFolder(source, target, data.cFileName, data.dwFileAttributes, data.dwReserved0);
        else transferFile(source, target, data.cFileName);
        return true;
    });
    copying_.pop_back();
    if (cancelled()) return 0;
    // A source that could not be listed to its end was not carried whole: it is told, and a move
    // leaves it where it is.
    if (listing != 0) {
        passOver(sourcePath, listing);
        return listing;
    }
    if (move == 0) {
        noteDone();
        return 0;
    }
    report(sourcePath, 0);
    if (removeEmptied(sourcePath, withoutTrailingBackslash(source.resolved), failures() == failuresBefore)) noteDone();
    return 0;
}

bool TransferOperation::removeEmptied(const std::wstring& folder, const std::wstring& resolved, bool walked) {
    const WatchersLetGo letGo(resolved);
    ItemHandle item = ItemHandle::open(folder, ItemHandle::kRemove, resolved);
    if (item && item.remove()) return true;
    // A folder still holding what was passed over stays, and that was told already; one the job
    // emptied that still will not go (another program holds a file in it) is told now.
    if (item.error() != ERROR_DIR_NOT_EMPTY || walked) passOver(folder, item.error());
    return false;
}

void TransferOperation::deleteTree(const std::wstring& folder, const std::wstring& resolved, int slot) {
    const std::wstring base = ensureTrailingBackslash(folder), resolvedBase = ensureTrailingBackslash(resolved);
    const int failuresBefore = failures();
    const DWORD listing = forEachEntry(folder, [&](const WIN32_FIND_DATAW& data) {
        if (cancelled()) return false;
        const std::wstring name = data.cFileName;
        std::wstring walked;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !isLinkedFolder(base + name, data.dwFileAttributes, data.dwReserved0, resolved, name, walked)) {
            deleteTree(base + name, walked, slot);
        } else {
            report(base + name, slot);
            ItemHandle item = ItemHandle::open(base + name, ItemHandle::kRemove, resolvedBase + name);
            if (!(item && item.remove())) passOver(base + name, item.error());
        }
        return true;
    });
    if (cancelled()) return;
    if (listing != 0) passOver(folder, listing);
    report(folder, slot);
    removeEmptied(folder, resolved, failures() == failuresBefore);
}
