// The items a job passed over because they failed, kept for one message at the job's end: how
// many, the first few with the platform's reason, and how many items the job did process (a
// user's skip or a cancel leaves items neither failed nor done, so the two need not add up).
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Reasons of the program's own, beside the platform's error codes (application codes carry bit 29).
constexpr DWORD kFailOntoItself = 0x20000001;      // an item would be written onto itself
constexpr DWORD kFailLoop = 0x20000002;            // a folder would be copied into itself
constexpr DWORD kFailOverlapsSource = 0x20000003;  // a target that is the source or holds it

class JobFailures {
public:
    static constexpr size_t kShown = 5;

    void add(const std::wstring& path, DWORD error);
    void addDone() { ++done_; }
    size_t count() const { return count_; }
    // "N 個の項目を処理できませんでした…" with the first few paths and reasons; empty when none.
    std::wstring summary() const;

private:
    size_t count_ = 0;
    size_t done_ = 0;
    std::vector<std::pair<std::wstring, DWORD>> first_;
};

// The text for a reason: the program's own ones, else the platform's.
std::wstring failureReason(DWORD error);
