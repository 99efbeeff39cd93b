// A file job: a worker operation and its progress dialog, joined by their link. A command builds
// the job, fills the operation's path list and starts it; from then on the job deletes itself
// when both halves are gone. Any number of jobs may run at once.
#pragma once
#include "fileops/JobLink.h"
#include <atomic>

class FileJob {
public:
    FileJob();
    virtual ~FileJob();
    FileJob(const FileJob&) = delete;
    FileJob& operator=(const FileJob&) = delete;

    // Makes the operation and the dialog (neither started).
    void attach();
    // Opens the dialog, owned by `owner`, which starts the worker. On failure the job is deleted.
    static void start(FileJob* job, HWND owner);

    JobLink& link() { return link_; }
    // Jobs in existence, for the tests' leak checks.
    static int liveCount() { return live_.load(); }
    // Asks every running job to stop at its next check (within one block of a file); each removes
    // what it had not finished and deletes itself as usual.
    static void cancelAll();
    // Signalled (auto-reset) whenever a job is deleted, on whichever thread that happens, so a loop
    // waiting for jobs to end can sleep instead of polling.
    static HANDLE endedEvent();

protected:
    virtual FileOperation* createOperation() = 0;
    virtual ProgressDialog* createDialog();

private:
    JobLink link_;
    static std::atomic<int> live_;
};
