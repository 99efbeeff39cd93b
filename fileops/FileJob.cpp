#include "fileops/FileJob.h"
#include "fileops/FileOperation.h"
#include "fileops/ProgressDialog.h"
#include "fileops/TransferJob.h"
#include "resource.h"

std::atomic<int> FileJob::live_{0};

FileJob::FileJob() { ++live_; }

FileJob::~FileJob() {
    --live_;
    SetEvent(endedEvent());
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
