// The two panes' compare, run on a thread of its own: it lists both folders as the panes show them
// (same masks), applies the compare rules, reads the files whose bytes decide and walks the folders
// on both sides when asked, then hands over the names to mark on each side. Escape stops it.
#pragma once
#include "pane/CompareRules.h"
#include <windows.h>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct CompareSide {
    std::wstring folder;
    std::wstring mask;
};

struct CompareOutcome {
    std::vector<std::wstring> left, right;  // names to mark on each side
};

// Read room for a compare of file contents, kept for a whole run: a fresh megabyte for every file
// costs the platform more than reading the file.
struct CompareBuffers {
    std::vector<char> a, b;
};

// Whether two files hold the same bytes; false when either cannot be read or `stop` is set.
bool sameBytes(const std::wstring& a, const std::wstring& b, const std::atomic<bool>& stop, CompareBuffers& buffers);

class CompareRun {
public:
    CompareRun();
    ~CompareRun() { stop(); }
    CompareRun(const CompareRun&) = delete;
    CompareRun& operator=(const CompareRun&) = delete;

    // `message` is posted to `window` with wParam 0 for progress and 1 at the end. `by` and
    // `subfolders` choose the rules; the time step of each side's file system is found out here.
    bool start(HWND window, UINT message, const CompareSide& left, const CompareSide& right, CompareBy by,
               bool subfolders);
    void stop();
    bool running() const;
    // Files read so far and to read, for the progress text.
    std::pair<int, int> progress() const;
    // The result once the run has ended (not after stop).
    std::optional<CompareOutcome> take();
    const CompareSide& left() const { return left_; }
    const CompareSide& right() const { return right_; }

    struct State;

private:
    std::shared_ptr<State> state_;
    CompareSide left_, right_;
};
