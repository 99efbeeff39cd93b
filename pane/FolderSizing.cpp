#include "pane/FolderSizing.h"
#include "common/DetachedThread.h"
#include "common/PathUtil.h"
#include <atomic>
#include <mutex>
#include <utility>

// Shared with the run's thread, which holds it until it ends, even after the pane is gone.
struct FolderSizing::State {
    std::atomic<bool> stop{false};
    std::mutex lock;
    bool running = true;
    bool noted = false;  // a note is posted and not yet taken
    std::vector<SizedFolder> figures;
};

FolderSizing::FolderSizing() = default;

bool FolderSizing::start(HWND window, UINT message, const std::wstring& folder, std::vector<std::wstring> names) {
    stop();
    folder_ = folder;
    state_ = std::make_shared<State>();
    const bool started = runDetached([state = state_, window, message, base = ensureTrailingBackslash(folder),
                                      names = std::move(names)] {
        CountedFiles counted;  // one set for the run: a file linked into two folders counts once
        for (const std::wstring& name : names) {
            if (state->stop.load()) break;
            SizedFolder figure{name, tallyFolder(base + name, counted, state->stop)};
            std::lock_guard<std::mutex> guard(state->lock);
            state->figures.push_back(std::move(figure));
            if (!state->noted) {
                state->noted = true;
                PostMessageW(window, message, 0, 0);
            }
        }
        std::lock_guard<std::mutex> guard(state->lock);
        state->running = false;
        PostMessageW(window, message, 0, 0);
    });
    if (!started) state_.reset();
    return started;
}

void FolderSizing::stop() {
    if (state_) state_->stop = true;
    state_.reset();
}

bool FolderSizing::running() const {
    if (!state_) return false;
    std::lock_guard<std::mutex> guard(state_->lock);
    return state_->running;
}

std::vector<SizedFolder> FolderSizing::take() {
    if (!state_) return {};
    std::lock_guard<std::mutex> guard(state_->lock);
    state_->noted = false;
    return std::exchange(state_->figures, {});
}
