// Paths a job of the pane's removed, handed from the job's worker thread to the pane's thread.
// The worker posts one note while the pane has not yet taken what came before it, so a job that
// deletes thousands of items sends a handful of messages.
#pragma once
#include <mutex>
#include <string>
#include <vector>

class GoneItems {
public:
    // True when the pane must be told (nothing was waiting).
    bool add(std::wstring path) {
        const std::lock_guard lock(mutex_);
        paths_.push_back(std::move(path));
        return paths_.size() == 1;
    }
    std::vector<std::wstring> take() {
        const std::lock_guard lock(mutex_);
        return std::exchange(paths_, {});
    }

private:
    std::mutex mutex_;
    std::vector<std::wstring> paths_;
};
