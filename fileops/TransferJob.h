// A copy or move of full paths into a destination folder.
#pragma once
#include "fileops/FileJob.h"
#include "fileops/TransferOperation.h"
#include <string>
#include <vector>

class TransferJob : public FileJob {
public:
    // The operation of an attached, unstarted job.
    TransferOperation& operation() { return *static_cast<TransferOperation*>(link().unstartedOperation()); }

protected:
    FileOperation* createOperation() override { return new TransferOperation(link()); }
};

// Starts a copy (or a move) of `sources` into `destination` in a job of its own, owned by `owner`.
// An empty list gives a job that ends at once, as a pasted empty list does.
void startTransfer(const std::vector<std::wstring>& sources, const std::wstring& destination, bool move, HWND owner);
