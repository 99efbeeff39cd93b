#include "fileops/ItemJobs.h"
#include "common/ItemHandle.h"
#include "fileops/ChangeWatcher.h"
#include "fileops/ProgressDialog.h"
#include "framework/Handles.h"
#include "resource.h"
#include <type_traits>

void DeleteOperation::onFile(const std::wstring& path, const std::wstring& resolved) {
    ItemHandle item = ItemHandle::open(path, ItemHandle::kRemove, resolved);
    if (item && item.remove()) {
        noteDone();
        return;
    }
    fail(path, item.error());
}

void DeleteOperation::onFolder(const std::wstring& path, const std::wstring& resolved, bool walked) {
    const WatchersLetGo letGo(resolved);
    ItemHandle item = ItemHandle::open(path, ItemHandle::kRemove, resolved);
    if (item && item.remove()) {
        noteDone();
        return;
    }
    // A folder left holding what was passed over inside is no failure of its own: that was told.
    // One the job emptied that still will not go (another program holds a file in it) is.
    if (item.error() != ERROR_DIR_NOT_EMPTY || walked) fail(path, item.error());
}

void AttributeOperation::onFile(const std::wstring& path, const std::wstring& resolved) {
    ItemHandle item = ItemHandle::open(path, ItemHandle::kChange, resolved);
    // An item whose attributes cannot be read is left alone rather than given guessed ones.
    if (item && item.attributes() != INVALID_FILE_ATTRIBUTES && item.setAttributes(applyMasks(item.attributes(), masks))) {
        noteDone();
        return;
    }
    fail(path, item.error() ? item.error() : ERROR_ACCESS_DENIED);
}

void AttributeOperation::onFolder(const std::wstring& path, const std::wstring& resolved, bool) { onFile(path, resolved); }

void TimestampOperation::onFile(const std::wstring& path, const std::wstring& resolved) {
    ItemHandle item = ItemHandle::open(path, ItemHandle::kChange, resolved);
    if (item && item.setTimes(creation ? &*creation : nullptr, lastAccess ? &*lastAccess : nullptr,
                              lastWrite ? &*lastWrite : nullptr)) {
        noteDone();
        return;
    }
    fail(path, item.error());
}

void TimestampOperation::onFolder(const std::wstring& path, const std::wstring& resolved, bool) { onFile(path, resolved); }

template <typename Operation>
ProgressDialog* ItemJob<Operation>::createDialog() {
    const bool deleting = std::is_same_v<Operation, DeleteOperation>;
    return new ProgressDialog(link(), IDD_ITEM_PROGRESS, deleting ? L"削除" : nullptr);
}

template class ItemJob<DeleteOperation>;
template class ItemJob<AttributeOperation>;
template class ItemJob<TimestampOperation>;
