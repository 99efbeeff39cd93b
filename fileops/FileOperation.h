// The worker half of a file job: a list of full paths worked through on a thread of its own, a
// cancel flag polled between items, and the wait for answers to same-name questions. The object
// deletes itself when its thread is done.
#pragma once
#include "fileops/WorkerThread.h"
#include <atomic>
#include <functional>
#include <string>
#include <vector>

class JobLink;

class FileOperation : public WorkerThread {
public:
    explicit FileOperation(JobLink& link);
    // Tells the link the worker is gone (which may delete the job).
    ~FileOperation() override;

    std::vector<std::wstring> paths;

    // Starts the thread that runs the body, posts the end and deletes this object.
    bool start();
    bool cancelled() const { return cancel_.load() != 0; }
    // Called by the link under its lock, from the user-interface thread.
    void setCancel() { cancel_ = 1; }
    void wake() const;
    // The link forgets the worker before deleting one that never started.
    void detach() { link_ = nullptr; }
    // Breaks off the platform calls the job's threads wait in (a read, a write, an open or a
    // listing on a share that stopped answering), which then fail as aborted. Called by the link
    // under its lock, from the user-interface thread, after the cancel flag is set.
    virtual void interruptWaits();

protected:
    virtual void body() = 0;
    // Shows a path in the dialog's line for the source (slot 0) or the destination (slot 1).
    void report(const std::wstring& text, int slot);
    // Posts a same-name question and waits until the dialog answered it (or cancelled).
    void ask(int note);
    // Notes an item passed over, with the platform's (or the program's) reason, for the end.
    void fail(const std::wstring& path, DWORD error);
    // Notes an item processed, so the end can tell how many were.
    void noteDone();
    // How many items were passed over so far: a folder whose contents added none was emptied by
    // the job itself, so a folder that still will not go is a failure of its own.
    int failures() const { return failures_; }

    JobLink* link_;

private:
    int run();

    std::atomic<int> cancel_{0};
    int failures_ = 0;
    UniqueHandle wait_;
};

// The worker of the jobs that visit items one by one (delete, attributes, timestamps): folders
// are walked post-order when the recurse flag is set, else handed over whole. A link to a folder
// (junction, symbolic link, mount point) is one item wherever it is met: never walked into.
class ItemOperation : public FileOperation {
public:
    using FileOperation::FileOperation;
    int recurse = 1;
    // Told on the worker of each item of the list that no longer exists once handled (what a
    // delete took), so a pane that lists it can let it go at once.
    std::function<void(const std::wstring& path)> itemGone;

protected:
    void body() override;
    // Each item comes with `resolved`, the path it must resolve to when opened as itself (see
    // ItemHandle), so a change made by handle reaches that item and nothing behind a link.
    virtual void onFile(const std::wstring& path, const std::wstring& resolved) = 0;
    // `walked` is true for a folder whose contents were visited (and passed over none).
    virtual void onFolder(const std::wstring& path, const std::wstring& resolved, bool walked) = 0;

private:
    void walk(const std::wstring& folder, const std::wstring& resolved);
};
