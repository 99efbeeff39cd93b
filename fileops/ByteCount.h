// The bytes a copy will write, counted on a thread of its own while the copy already runs, so the
// progress dialog can show the whole once it is known without delaying the start. The count holds
// each folder open while it reads it, which keeps that folder from being removed meanwhile: it is
// for jobs that leave their sources in place.
#pragma once
#include "fileops/WorkerThread.h"
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class ByteCount : private WorkerThread {
public:
    // Starts counting the files of `paths` and of the folders among them, and stores the sum in
    // `total` once complete. Links to folders are not entered: what they lead to counts as
    // nothing, so the whole may come out short, never endless. Where no thread can be had, the
    // job goes on with its whole unknown.
    ByteCount(std::vector<std::wstring> paths, std::atomic<uint64_t>& total);
    // Stops a count still running and waits for its thread.
    ~ByteCount() override;
    ByteCount(const ByteCount&) = delete;
    // Breaks off the listing the count waits in (see FileOperation::interruptWaits).
    void interrupt() const;
    ByteCount& operator=(const ByteCount&) = delete;

private:
    uint64_t countFolder(const std::wstring& folder);

    void count(const std::vector<std::wstring>& paths, std::atomic<uint64_t>& total);

    std::atomic<bool> stop_{false};
};
