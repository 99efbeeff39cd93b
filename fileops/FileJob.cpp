#include "fileops/FileJob.h"
#include "fileops/FileOperation.h"
#include "fileops/ProgressDialog.h"
#include "fileops/TransferJob.h"
#include "resource.h"
#include <mutex>
#include <set>

std::atomic<int> FileJob::live_{0};

namespace {
// The jobs in existence, for cancelling them all. A job leaves it first thing in its destructor,
// under the same lock, so a job being cancelled is never one being deleted.
std::mutex& registryLock() {
    static std::mutex lock;
    return lock;
}
std::set<FileJob*>& registry() {
    static std::set<FileJob*> jobs;
    return jobs;
}
}  // namespace

FileJob::FileJob() {
    std::lock_guard<std::mutex> guard(registryLock());
    registry().insert(this);
    ++live_;
}

FileJob::~FileJob() {
    {
        std::lock_guard<std::mutex> guard(registryLock());
        registry().erase(this);
    }
    --live_;
    SetEvent(endedEvent());
}

void FileJob::cancelAll() {
    std::lock_guard<std::mutex> guard(registryLock());
    for (FileJob* job : registry()) job->link_.requestCancel();
}

HANDLE FileJob::endedEvent() {
    static const HANDLE ended = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    return ended;
}

void FileJob::attach() { link_.attach(this, createOperation(), createDialog()); }

ProgressDialog* FileJob::createDialog() { return new ProgressDialog(link_, IDD_TRANSFER_PROGRESS); }

void FileJob::start(FileJob* job, HWND owner) {
    ProgressDialog* dialog = job->link_.unstartedDialog();
    if (!dialog || !dialog->create(owner)) delete job;
}

void startTransfer(const std::vector<std::wstring>& sources, const std::wstring& destination, bool move, HWND owner) {
    auto* job = new TransferJob;
    job->attach();
    TransferOperation& operation = job->operation();
    operation.paths = sources;
    operation.destination = destination;
    operation.move = move ? 1 : 0;
    FileJob::start(job, owner);
}
