#include "listing/FolderRead.h"
#include <windows.h>
#include <thread>

namespace {
std::atomic<int> liveThreads{0};
}

std::shared_ptr<FolderRead> FolderRead::start(std::wstring folder, std::wstring mask, size_t expected, DoneNote done,
                                              EntryHook hook) {
    std::shared_ptr<FolderRead> read(new FolderRead(std::move(folder), std::move(mask)));
    ++liveThreads;
    try {
        // Detached: nobody waits for a read, and its state lives as long as the thread holds it.
        std::thread([read, expected, done = std::move(done), hook = std::move(hook)] {
            read->run(expected, done, hook);
            --liveThreads;
        }).detach();
    } catch (const std::system_error&) {
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
