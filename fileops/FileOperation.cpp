#include "fileops/FileOperation.h"
#include "common/PathUtil.h"
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

void FileOperation::report(const std::wstring& text, int slot) {
    if (link_) link_->report(text, slot);
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
    for (const std::wstring& path : paths) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
                report(path, 0);
                onFile(path);
            } else if (recurse == 1) {
                walk(path);
            } else {
                report(path, 0);
                onFolder(path);
            }
        }
        if (cancelled()) return;
    }
}

void ItemOperation::walk(const std::wstring& folder) {
    const std::wstring base = ensureTrailingBackslash(folder);
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW((base + L"*.*").c_str(), &data));
    if (find) {
        do {
            if (cancelled()) return;
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = base + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                walk(path);
            } else {
                report(path, 0);
                onFile(path);
            }
        } while (FindNextFileW(find.get(), &data));
    }
    if (cancelled()) return;
    report(folder, 0);
    onFolder(folder);
}
