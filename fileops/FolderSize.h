// How much a folder holds: the bytes and files under it, counted without entering a link and with
// each file of several hard links counted once. A walk of the file system with no window: the pane
// runs it on a thread of its own.
#pragma once
#include <atomic>
#include <cstdint>
#include <string>
#include <unordered_set>

struct FolderTally {
    uint64_t bytes = 0;
    uint64_t files = 0;
    uint32_t links = 0;     // links met and counted as nothing (junctions, symbolic links, mount points)
    uint32_t unlisted = 0;  // folders that could not be listed: the figure is then a lower bound
    bool stopped = false;   // the walk was told to stop before its end

    bool lowerBound() const { return unlisted > 0 || stopped; }
};

// The files already counted, by volume and file id: a second name of the same file adds nothing.
// One set serves every folder of one run, so a file linked into two of them is counted once.
class CountedFiles {
public:
    // True the first time this file id is seen.
    bool firstSight(uint64_t volume, uint64_t high, uint64_t low);

private:
    struct Key {
        uint64_t volume, high, low;
        bool operator==(const Key&) const = default;
    };
    struct Hash {
        size_t operator()(const Key& k) const { return std::hash<uint64_t>()(k.low * 0x9E3779B97F4A7C15ull ^ k.high ^ (k.volume << 1)); }
    };
    std::unordered_set<Key, Hash> seen_;
};

// Adds up `folder` (a full path) and everything under it. A link is never entered; `stop` is asked
// between folders and inside long ones.
FolderTally tallyFolder(const std::wstring& folder, CountedFiles& counted, const std::atomic<bool>& stop);
