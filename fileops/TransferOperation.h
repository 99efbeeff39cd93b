// The worker of a copy or move: every item of the path list into the destination folder, folders
// with their contents, asking the same-name question when a target exists.
#pragma once
#include "fileops/FileOperation.h"

class TransferOperation : public FileOperation {
public:
    using FileOperation::FileOperation;

    std::wstring destination;
    int move = 0;  // 1 moves, 0 copies

protected:
    void body() override;

private:
    // Shows the pair and waits for the answer to the same-name question of the given kind.
    void askSameName(const std::wstring& source, const std::wstring& target, int note);
    void transferFile(const std::wstring& sourceFolder, const std::wstring& targetFolder, const std::wstring& name);
    // Copies or moves one file; false (with the platform's error) when it did not.
    bool transferFileTo(const std::wstring& source, const std::wstring& target, bool replace) const;
    void transferFolder(const std::wstring& sourceFolder, const std::wstring& targetFolder, const std::wstring& name);
    void transferContents(const std::wstring& source, const std::wstring& target);
    void deleteTree(const std::wstring& folder, int slot);

    int sameVolume_ = 0;  // of the current item of the path list
};
