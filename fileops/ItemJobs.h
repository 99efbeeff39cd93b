// The jobs that change items where they are: delete, attributes and timestamps. Each visits the
// items of its path list one by one on its worker and shows the item in hand on the one-line
// processing dialog; failures are passed over in silence and the job goes on with the next item.
#pragma once
#include "fileops/AttributeChoice.h"
#include "fileops/FileJob.h"
#include "fileops/FileOperation.h"
#include <optional>

// Deletes files and whole folders for good (nothing goes to a recycle bin), a folder after its
// contents, read-only files too. A folder that still holds something stays. A link is removed as
// itself, never what it leads to; where the platform cannot do that, the link stays.
class DeleteOperation : public ItemOperation {
public:
    using ItemOperation::ItemOperation;

protected:
    void onFile(const std::wstring& path, const std::wstring& resolved) override;
    void onFolder(const std::wstring& path, const std::wstring& resolved, bool walked) override;
};

// Clears and sets attribute bits on each item (and with `recurse`, on everything below). A link is
// changed as itself where the platform can, else left as it is, never what it leads to.
class AttributeOperation : public ItemOperation {
public:
    explicit AttributeOperation(JobLink& link) : ItemOperation(link) { recurse = 0; }
    AttributeMasks masks;

protected:
    void onFile(const std::wstring& path, const std::wstring& resolved) override;
    void onFolder(const std::wstring& path, const std::wstring& resolved, bool walked) override;
};

// Sets the chosen times (UTC) on each item; a time without a value stays as it is.
class TimestampOperation : public ItemOperation {
public:
    explicit TimestampOperation(JobLink& link) : ItemOperation(link) { recurse = 0; }
    std::optional<FILETIME> creation, lastAccess, lastWrite;

protected:
    void onFile(const std::wstring& path, const std::wstring& resolved) override;
    void onFolder(const std::wstring& path, const std::wstring& resolved, bool walked) override;

};

// A job of one of the operations above, with the processing dialog.
template <typename Operation>
class ItemJob : public FileJob {
public:
    // The operation of an attached, unstarted job.
    Operation& operation() { return *static_cast<Operation*>(link().unstartedOperation()); }

protected:
    FileOperation* createOperation() override { return new Operation(link()); }
    ProgressDialog* createDialog() override;
};

using DeleteJob = ItemJob<DeleteOperation>;
using AttributeJob = ItemJob<AttributeOperation>;
using TimestampJob = ItemJob<TimestampOperation>;
