// Finishes a job's copies on a thread of its own, one at a time, so that the job begins the next
// file while the bytes of the last one are written. Beginning is the slow half of a small file's
// copy under Wine: a new name makes the platform look through the whole target folder for a name
// that differs only in case.
#pragma once
#include "fileops/WorkerThread.h"
#include <functional>
#include <optional>
#include <string>

class CopyTail : public WorkerThread {
public:
    // A finished copy: its source and the platform's error, or 0.
    struct Ended {
        std::wstring source;
        DWORD error = 0;
    };

    CopyTail() = default;
    // Ends the thread once the copy in hand is finished.
    ~CopyTail() override;

    // Waits for the copy in hand, if there is one, and gives it.
    std::optional<Ended> settle();
    // Hands over a copy to finish; the one before must have been settled. Without a thread (none
    // could be made) the copy is finished here and now.
    void handOver(std::wstring source, std::function<DWORD()> finish);
    // Breaks off the platform call the thread waits in (see FileOperation::interruptWaits).
    void interrupt();

private:
    int run();

    // Slim locks: under Wine a hand-over through them took less than half as long as through events.
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE changed_ = CONDITION_VARIABLE_INIT;
    std::function<DWORD()> work_;
    Ended ended_;
    bool inHand_ = false;    // from its hand-over until it is given back
    bool finished_ = false;  // its work is done and `ended_` holds the result
    bool closing_ = false;
};
