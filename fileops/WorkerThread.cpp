#include "fileops/WorkerThread.h"
#include <process.h>
#include <memory>

namespace {
unsigned __stdcall threadEntry(void* parameter) {
    const std::unique_ptr<std::function<int()>> body(static_cast<std::function<int()>*>(parameter));
    return static_cast<unsigned>((*body)());
}
}  // namespace

bool WorkerThread::startThread(std::function<int()> body) {
    auto* owned = new std::function<int()>(std::move(body));
    const uintptr_t handle = _beginthreadex(nullptr, 0, &threadEntry, owned, 0, nullptr);
    if (handle == 0) {
        delete owned;
        return false;
    }
    thread_.reset(reinterpret_cast<HANDLE>(handle));
    return true;
}

bool WorkerThread::waitForEnd(DWORD milliseconds) const {
    const HANDLE thread = threadHandle();
    return !thread || WaitForSingleObject(thread, milliseconds) == WAIT_OBJECT_0;
}
