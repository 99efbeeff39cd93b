// The worker of a copy or move: every item of the path list into the destination folder, folders
// with their contents, asking the same-name question when a target exists.
//
// What the user did not choose is never touched: a link met in a move is moved as itself or
// passed over, never emptied or carried away; a copy copies what a link leads to but never enters
// a folder it is already copying, nor one that holds the folder it writes into; a target that is
// the source or holds it is never merged into or deleted; and an item is never copied or moved
// onto itself. All of this is judged on resolved paths, not on spelling.
#pragma once
#include "fileops/CopyTail.h"
#include "fileops/FileOperation.h"
#include <mutex>

struct BegunCopy;
class ByteCount;

class TransferOperation : public FileOperation {
public:
    using FileOperation::FileOperation;

    std::wstring destination;
    int move = 0;  // 1 moves, 0 copies

    void interruptWaits() override;

protected:
    void body() override;

private:
    // A folder of the walk as spelled and as resolved, both ending in a backslash.
    struct Place {
        std::wstring folder, resolved;
    };

    // Shows the pair and waits for the answer to the same-name question of the given kind.
    void askSameName(const std::wstring& source, const std::wstring& target, int note);
    // While an item of the target's name exists: asks the same-name question of the given kind
    // (unless it was answered for all) and, when told to rename, takes the new name in `folder`.
    // kNameFree once the name is free, kCancelled, or the choice made for the existing item.
    static constexpr int kNameFree = 0, kCancelled = -1;
    int chooseForExisting(const std::wstring& source, const std::wstring& folder, std::wstring& target, int note);
    void transferFile(const Place& from, const Place& to, const std::wstring& name);
    // Copies or moves one file; the platform's error, or 0 when it was done (or handed to the tail).
    DWORD transferFileTo(const std::wstring& source, const std::wstring& resolved, const std::wstring& target,
                         bool replace);
    // Begins the copy of a file to a new name and hands it to the tail to finish.
    DWORD copyInTurn(const std::wstring& source, const std::wstring& target);
    // Writes one begun copy's bytes, publishing how far the copy has got.
    DWORD finishCounted(BegunCopy& copy);
    // Waits for the copy in the tail's hands and notes its failure; false when there was none.
    bool settleCopy();
    // Notes an item passed over, after the copy in hand, so failures are told in the items' order.
    void passOver(const std::wstring& path, DWORD error);
    void transferAll();
    // `attributes` and `tag` (the reparse tag) as the folder's listing gives them.
    void transferFolder(const Place& from, const Place& to, const std::wstring& name, DWORD attributes, DWORD tag);
    // The contents of `source` into `target`; 0, or the reason the source could not be listed whole.
    DWORD transferContents(const Place& source, const std::wstring& sourcePath, const Place& target);
    void deleteTree(const std::wstring& folder, const std::wstring& resolved, int slot);
    // Removes a folder whose contents the job moved or deleted; `walked`: none of them was passed over.
    bool removeEmptied(const std::wstring& folder, const std::wstring& resolved, bool walked);

    int sameVolume_ = 0;                // of the current item of the path list
    std::wstring destinationFileSystem_, sourceFileSystem_;  // "NTFS", "FAT32"; the source's of the current item
    std::vector<std::wstring> copying_;  // resolved source folders being walked, outermost first
    uint64_t copied_ = 0;               // bytes of the files whose copy has ended
    std::mutex countLock_;              // guards count_, which the user-interface thread may interrupt
    ByteCount* count_ = nullptr;        // the count of a copy's bytes, while it lives
    CopyTail tail_;                     // last, so it is finished before the rest goes
};
