// Base of every object that owns one worker thread: the file jobs' operations and the panes'
// change watchers.
#pragma once
#include "framework/Handles.h"
#include <functional>

class WorkerThread {
public:
    WorkerThread() = default;
    virtual ~WorkerThread() = default;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // The thread's handle; null before the thread was started.
    HANDLE threadHandle() const { return thread_ ? thread_.get() : nullptr; }
    // Waits up to `milliseconds` for the thread to end; true when it has ended (or never started).
    bool waitForEnd(DWORD milliseconds) const;

protected:
    // Begins a thread of normal priority and the default stack size that runs `body`; its result
    // is the thread's exit code. False when no thread could be made. Nothing of this object is
    // touched once the thread runs, so the body may delete it.
    bool startThread(std::function<int()> body);

private:
    UniqueHandle thread_;
};
