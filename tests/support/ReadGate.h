// Holds a read of a folder on its worker thread when it has read `at` entries (0: before it opens
// the folder) until the test opens the gate (at the latest when the gate goes), so a test can act
// while a read is under way.
#pragma once
#include "listing/FolderRead.h"
#include <windows.h>
#include <atomic>
#include <memory>

class ReadGate {
public:
    enum Reads { kFirstRead, kEveryRead };
    explicit ReadGate(int at = 1, Reads reads = kFirstRead) : at_(at), every_(reads == kEveryRead) {}
    ReadGate(const ReadGate&) = delete;
    ReadGate& operator=(const ReadGate&) = delete;
    ~ReadGate() { open(); }

    // For PaneListing::setEntryHook: only the first read that passes is held, or every one.
    FolderRead::EntryHook hook() {
        return [state = state_, at = at_, every = every_](int count) {
            if (count != at || (state->passed.exchange(true) && !every)) return;
            state->paused = true;
            while (!state->open) Sleep(2);
        };
    }
    bool paused() const { return state_->paused.load(); }
    void open() { state_->open = true; }

private:
    // Shared with the hook, which a read may still hold after the gate is gone.
    struct State {
        std::atomic<bool> passed{false}, paused{false}, open{false};
    };
    int at_;
    bool every_;
    std::shared_ptr<State> state_ = std::make_shared<State>();
};
