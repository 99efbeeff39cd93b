// When the change watcher's notes turn into re-reads of a pane's folder: at most one read in
// flight and one waiting, and while changes keep coming each re-read starts no sooner after the
// last one ended than that one took, so a folder that never rests cannot keep the pane reading.
#pragma once
#include <cstdint>
#include <optional>

class RereadPacer {
public:
    // A change note came at `now` (milliseconds); `reading` says whether a read is in flight. The
    // delay after which a re-read should start (0: at once), or nothing when one is already queued
    // or the read in flight will be followed by one.
    std::optional<uint32_t> noteChange(uint64_t now, bool reading);
    // A read ended at `now`, having taken `took` milliseconds: the delay before the queued re-read,
    // or nothing when none is queued.
    std::optional<uint32_t> readEnded(uint64_t now, uint32_t took);
    // The delay asked for has passed and the queued re-read starts now.
    void delayPassed() { scheduled_ = false; }
    // A read the user asked for (another folder, a re-read) replaces whatever was queued.
    void forget() { queued_ = scheduled_ = false; }
    // Whether a re-read is queued behind the read in flight or waits for its delay.
    bool waiting() const { return queued_ || scheduled_; }

private:
    bool queued_ = false;     // behind the read in flight
    bool scheduled_ = false;  // its delay is running
    uint64_t lastEnd_ = 0;
    uint32_t lastTook_ = 0;
};
