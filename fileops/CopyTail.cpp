#include "fileops/CopyTail.h"

CopyTail::~CopyTail() {
    AcquireSRWLockExclusive(&lock_);
    closing_ = true;
    ReleaseSRWLockExclusive(&lock_);
    WakeAllConditionVariable(&changed_);
    waitForEnd(INFINITE);
}

std::optional<CopyTail::Ended> CopyTail::settle() {
    std::optional<Ended> ended;
    AcquireSRWLockExclusive(&lock_);
    while (inHand_ && !finished_) SleepConditionVariableSRW(&changed_, &lock_, INFINITE, 0);
    if (inHand_) ended = std::move(ended_);
    inHand_ = finished_ = false;
    ReleaseSRWLockExclusive(&lock_);
    return ended;
}

void CopyTail::handOver(std::wstring source, std::function<DWORD()> finish) {
    AcquireSRWLockExclusive(&lock_);
    // Started under the lock, so that interrupt() never meets the handle half set.
    if (!threadHandle() && !startThread([this] { return run(); })) {
        ReleaseSRWLockExclusive(&lock_);
        ended_ = {std::move(source), finish()};
        inHand_ = finished_ = true;
        return;
    }
    ended_ = {std::move(source), 0};
    work_ = std::move(finish);
    inHand_ = true;
    ReleaseSRWLockExclusive(&lock_);
    WakeAllConditionVariable(&changed_);
}

void CopyTail::interrupt() {
    AcquireSRWLockExclusive(&lock_);
    if (HANDLE thread = threadHandle()) CancelSynchronousIo(thread);
    ReleaseSRWLockExclusive(&lock_);
}

int CopyTail::run() {
    AcquireSRWLockExclusive(&lock_);
    for (;;) {
        while (!closing_ && !(inHand_ && !finished_)) SleepConditionVariableSRW(&changed_, &lock_, INFINITE, 0);
        if (!(inHand_ && !finished_)) break;
        DWORD error = 0;
        {
            const std::function<DWORD()> work = std::move(work_);
            ReleaseSRWLockExclusive(&lock_);
            error = work();
        }  // what the work held goes before its end is told
        AcquireSRWLockExclusive(&lock_);
        ended_.error = error;
        finished_ = true;
        WakeAllConditionVariable(&changed_);
    }
    ReleaseSRWLockExclusive(&lock_);
    return 0;
}
