#include "listing/FolderRead.h"
#include <windows.h>
#include <memory>

namespace {
std::atomic<int> liveThreads{0};
}

std::shared_ptr<FolderRead> FolderRead::start(std::wstring folder, std::wstring mask, size_t expected, DoneNote done,
                                              EntryHook hook) {
    std::shared_ptr<FolderRead> read(new FolderRead(std::move(folder), std::move(mask)));
    // What the thread holds: the read's state lives as long as the thread does.
    struct Work {
        std::shared_ptr<FolderRead> read;
        size_t expected;
        DoneNote done;
        EntryHook hook;
    };
    auto* work = new Work{read, expected, std::move(done), std::move(hook)};
    ++liveThreads;
    // A thread of the platform's own, closed at once: nobody waits for a read. (The runtime's
    // detached threads have been seen to start with their state lost when many come and go.)
    const auto body = [](void* parameter) -> DWORD {
        std::unique_ptr<Work> held(static_cast<Work*>(parameter));
        held->read->run(held->expected, held->done, held->hook);
        held.reset();
        --liveThreads;
        return 0;
    };
    HANDLE thread = CreateThread(nullptr, 0, body, work, 0, nullptr);
    if (!thread) {
        delete work;
        --liveThreads;
        return nullptr;
    }
    CloseHandle(thread);
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
