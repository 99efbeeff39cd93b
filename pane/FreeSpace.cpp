#include "pane/FreeSpace.h"
#include "common/DetachedThread.h"
#include "pane/ListingLine.h"
#include <mutex>
#include <utility>

// Shared with the thread that asks, which holds it until it ends, even after the pane is gone.
struct FreeSpaceQuestion::State {
    mutable std::mutex lock;
    bool out = false;          // a thread is asking
    std::wstring asking, next;  // the folder asked for, and the one to ask for after it
    std::wstring answeredFolder;
    int64_t answered = -1;
    bool fresh = false;  // answered and not yet taken
    HWND window = nullptr;
    UINT message = 0;
};

FreeSpaceQuestion::FreeSpaceQuestion() : state_(std::make_shared<State>()) {}

void FreeSpaceQuestion::ask(HWND window, UINT message, const std::wstring& folder) {
    {
        std::lock_guard<std::mutex> guard(state_->lock);
        state_->window = window;
        state_->message = message;
        if (state_->out) {
            state_->next = folder;
            return;
        }
        state_->out = true;
        state_->asking = folder;
    }
    const bool started = runDetached([state = state_] {
        std::unique_lock<std::mutex> guard(state->lock);
        for (;;) {
            const std::wstring folder = state->asking;
            guard.unlock();
            const int64_t free = freeBytesOfFolder(folder);
            guard.lock();
            state->answeredFolder = folder;
            state->answered = free;
            state->fresh = true;
            PostMessageW(state->window, state->message, 0, 0);
            if (state->next.empty()) break;
            state->asking = std::exchange(state->next, std::wstring());
        }
        state->out = false;
    });
    if (started) return;
    std::lock_guard<std::mutex> guard(state_->lock);
    state_->out = false;
}

std::optional<int64_t> FreeSpaceQuestion::take(const std::wstring& folder) {
    std::lock_guard<std::mutex> guard(state_->lock);
    state_->fresh = false;
    if (state_->answeredFolder.empty() || state_->answeredFolder != folder) return std::nullopt;
    return state_->answered;
}

bool FreeSpaceQuestion::pending() const {
    std::lock_guard<std::mutex> guard(state_->lock);
    return state_->out || state_->fresh;
}
