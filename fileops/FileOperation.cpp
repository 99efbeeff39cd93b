#include "fileops/FileOperation.h"
#include "common/PathUtil.h"
#include "common/ReparseTag.h"
#include "common/ResolvedPath.h"
#include "fileops/FolderEntries.h"
#include "fileops/JobLink.h"

FileOperation::FileOperation(JobLink& link)
    : link_(&link), wait_(UniqueHandle::fromApi(CreateEventW(nullptr, TRUE, FALSE, nullptr))) {}

FileOperation::~FileOperation() {
    if (link_) link_->operationGone();
}

bool FileOperation::start() {
    return startThread([this] { return run(); });
}

void FileOperation::wake() const {
    if (threadHandle() && wait_) SetEvent(wait_.get());
}

int FileOperation::run() {
    body();
    if (link_) link_->post(kJobEnded);
    delete this;
    return 0;
}

void FileOperation::interruptWaits() {
    if (HANDLE thread = threadHandle()) CancelSynchronousIo(thread);
}

void FileOperation::report(const std::wstring& text, int slot) {
    if (link_) link_->report(text, slot);
}

void FileOperation::fail(const std::wstring& path, DWORD error) {
    ++failures_;
    if (link_) link_->recordFailure(path, error);
}

void FileOperation::noteDone() {
    if (link_) link_->recordDone();
}

void FileOperation::ask(int note) {
    if (!link_ || !wait_) return;
    ResetEvent(wait_.get());
    // A cancel that came before the reset would otherwise leave the worker waiting for good.
    if (cancelled()) return;
    link_->post(static_cast<ProgressNote>(note));
    WaitForSingleObject(wait_.get(), INFINITE);
}

void ItemOperation::body() {
    std::wstring parent, resolvedParent;  // the list's items usually share one folder
    for (const std::wstring& path : paths) {
        const std::optional<SplitPath> split = splitPath(path);
        const DWORD attributes = GetFileAttributesW(literalPath(path).c_str());
        if (!split || attributes == INVALID_FILE_ATTRIBUTES) {
            fail(path, split ? GetLastError() : ERROR_INVALID_NAME);
        } else {
            if (split->folder != parent) {
                parent = split->folder;
                resolvedParent = resolvedPath(parent);
            }
            const std::wstring resolved = ensureTrailingBackslash(resolvedParent) + split->name;
            std::wstring walked;
            report(path, 0);
            if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) onFile(path, resolved);
            else if (recurse == 1 &&
                     !isLinkedFolder(path, attributes, reparseTagFor(path, attributes), resolvedParent, split->name, walked))
                walk(path, walked);
            else onFolder(path, resolved, false);
            if (itemGone && GetFileAttributesW(literalPath(path).c_str()) == INVALID_FILE_ATTRIBUTES) {
                const DWORD error = GetLastError();
                if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) itemGone(path);
            }
        }
        if (cancelled()) return;
    }
}

void ItemOperation::walk(const std::wstring& folder, const std::wstring& resolved) {
    const std::wstring base = ensureTrailingBackslash(folder);
    const std::wstring resolvedBase = ensureTrailingBackslash(resolved);
    const int failuresBefore = failures();
    const DWORD listing = forEachEntry(folder, [&](const WIN32_FIND_DATAW& data) {
        if (cancelled()) return false;
        const std::wstring name = data.cFileName;
        const std::wstring path = base + name;
        std::wstring walked;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            report(path, 0);
            onFile(path, resolvedBase + name);
        } else if (!isLinkedFolder(path, data.dwFileAttributes, data.dwReserved0, resolved, name, walked)) {
            walk(path, walked);
        } else {
            report(path, 0);
            onFolder(path, resolvedBase + name, false);
        }
        return true;
    });
    if (cancelled()) return;
    // A folder that could not be listed to its end is told; what it holds was not visited.
    if (listing != 0) fail(folder, listing);
    report(folder, 0);
    onFolder(folder, resolved, failures() == failuresBefore);
}
