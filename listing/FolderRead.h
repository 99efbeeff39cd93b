// One reading of a folder on a thread of its own. The thread and the pane share it, so it stays
// valid for whichever of them lets go last: a pane destroyed mid-read only cancels it.
#pragma once
#include "listing/FileList.h"
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class FolderRead {
public:
    // Runs on the reading thread once the read has ended (read through, failed or cancelled). It
    // must not touch the pane: it only tells it, e.g. with a posted message.
    using DoneNote = std::function<void()>;
    // Runs on the reading thread before the folder is opened (with 0) and after each entry with the
    // count so far; a test pauses a read here.
    using EntryHook = std::function<void(int)>;

    // Starts reading `folder` with `mask`; `expected` is the entry count to reserve for. Null when
    // no thread could be started.
    static std::shared_ptr<FolderRead> start(std::wstring folder, std::wstring mask, size_t expected,
                                             DoneNote done, EntryHook hook = {});
    // Reading threads that have not ended yet, in the whole process.
    static int running();

    // The thread stops after the entry it is on, and its result is never taken.
    void cancel() { cancelled_ = true; }
    bool cancelled() const { return cancelled_.load(); }
    bool finished() const { return finished_.load(); }
    int entriesSoFar() const { return entries_.load(); }
    const std::wstring& folder() const { return folder_; }

    // Once finished: the listing read (moved out, so only once), and how long the read took.
    FileList takeList() { return std::move(list_); }
    uint32_t tookMs() const { return tookMs_; }

private:
    FolderRead(std::wstring folder, std::wstring mask) : folder_(std::move(folder)), mask_(std::move(mask)) {}
    void run(size_t expected, const DoneNote& done, const EntryHook& hook);

    const std::wstring folder_;
    const std::wstring mask_;
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> finished_{false};
    std::atomic<int> entries_{0};
    FileList list_;  // the thread's until finished_, the pane's after
    uint32_t tookMs_ = 0;
};
