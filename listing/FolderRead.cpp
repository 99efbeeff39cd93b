#include "listing/FolderRead.h"
#include "common/DetachedThread.h"
#include <windows.h>

namespace {
std::atomic<int> liveThreads{0};
}

std::shared_ptr<FolderRead> FolderRead::start(std::wstring folder, std::wstring mask, size_t expected, DoneNote done,
                                              EntryHook hook) {
    std::shared_ptr<FolderRead> read(new FolderRead(std::move(folder), std::move(mask)));
    ++liveThreads;
    // Nobody waits for a read: its state lives as long as the thread holds it.
    const bool started = runDetached([read, expected, done = std::move(done), hook = std::move(hook)] {
        read->run(expected, done, hook);
        --liveThreads;
    });
    if (!started) {
        --liveThreads;
        return nullptr;
    }
    return read;
}

int FolderRead::running() { return liveThreads.load(); }

void FolderRead::run(size_t expected, const DoneNote& done, const EntryHook& hook) {
    const ULONGLONG began = GetTickCount64();
    if (hook) hook(0);
    list_.scan(folder_, mask_, expected, [this, &hook](int count) {
        entries_ = count;
        if (hook) hook(count);
        return !cancelled_.load();
    });
    tookMs_ = static_cast<uint32_t>(GetTickCount64() - began);
    finished_ = true;
    if (done) done();
}
