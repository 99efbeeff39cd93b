#include "fileops/ItemJobs.h"
#include "common/PathUtil.h"
#include "fileops/ProgressDialog.h"
#include "framework/Handles.h"
#include "resource.h"
#include <type_traits>

void DeleteOperation::onFile(const std::wstring& path) { deleteItem(path); }

void DeleteOperation::onFolder(const std::wstring& path) { deleteItem(path); }

void AttributeOperation::onFile(const std::wstring& path) {
    const DWORD current = GetFileAttributesW(path.c_str());
    // An item whose attributes cannot be read is left alone rather than given guessed ones.
    if (current == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(path.c_str(), applyMasks(current, masks));
}

void AttributeOperation::onFolder(const std::wstring& path) { onFile(path); }

void TimestampOperation::onFile(const std::wstring& path) { setTimes(path, FILE_ATTRIBUTE_NORMAL); }

// Backup semantics is what lets a folder be opened as a file.
void TimestampOperation::onFolder(const std::wstring& path) { setTimes(path, FILE_FLAG_BACKUP_SEMANTICS); }

void TimestampOperation::setTimes(const std::wstring& path, DWORD flags) const {
    UniqueHandle file = UniqueHandle::fromApi(
        CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, flags, nullptr));
    if (!file) return;
    SetFileTime(file.get(), creation ? &*creation : nullptr, lastAccess ? &*lastAccess : nullptr,
                lastWrite ? &*lastWrite : nullptr);
}

template <typename Operation>
ProgressDialog* ItemJob<Operation>::createDialog() {
    const bool deleting = std::is_same_v<Operation, DeleteOperation>;
    return new ProgressDialog(link(), IDD_ITEM_PROGRESS, deleting ? L"削除" : nullptr);
}

template class ItemJob<DeleteOperation>;
template class ItemJob<AttributeOperation>;
template class ItemJob<TimestampOperation>;
