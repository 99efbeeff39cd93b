// How far a transfer has got: the byte counts its worker publishes, and the rate and the line of
// figures its progress dialog makes of them a few times a second.
#pragma once
#include <atomic>
#include <cstdint>
#include <string>

// Written by the worker, read by the dialog; each count on its own, so a reader may see a file's
// new size with its old count for one sample, which the next sample mends.
struct JobBytes {
    std::atomic<uint64_t> done{0};      // bytes written by the whole job so far
    std::atomic<uint64_t> total{0};     // bytes the job will write; 0 until counted
    std::atomic<uint64_t> fileDone{0};  // of the file being copied
    std::atomic<uint64_t> fileSize{0};
};

// Bytes per second over the last few seconds of samples, so a pause (a question, a slow file)
// shows in the rate soon and a single slow block does not.
class TransferRate {
public:
    static constexpr uint64_t kWindowMs = 3000;
    // A sample of the job's bytes at a moment in milliseconds; moments never go back.
    void add(uint64_t ms, uint64_t bytes);
    // 0 until the samples span half a second.
    uint64_t bytesPerSecond() const;

private:
    static constexpr int kSamples = 32;
    struct Sample {
        uint64_t ms, bytes;
    };
    Sample samples_[kSamples] = {};
    int first_ = 0, count_ = 0;
};

// "512 B", "1.50 KB", "23.4 MB", "100 GB": three figures, in steps of 1024.
std::wstring formatByteAmount(uint64_t bytes);
// A fraction in thousandths, for a progress bar; a part larger than the whole counts as all of it.
int thousandths(uint64_t part, uint64_t whole);
// "1.20 GB / 10.0 GB  12%  85.3 MB/s": without the whole and the percentage while the total is
// unknown (0), and without the rate while it is 0.
std::wstring progressFigures(uint64_t done, uint64_t total, uint64_t bytesPerSecond);
