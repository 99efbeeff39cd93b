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
    // Suspended until the handle is stored: a body may delete this object as soon as it runs.
    const uintptr_t handle = _beginthreadex(nullptr, 0, &threadEntry, owned, CREATE_SUSPENDED, nullptr);
    if (handle == 0) {
        delete owned;
        return false;
    }
    const HANDLE thread = reinterpret_cast<HANDLE>(handle);
    thread_.reset(thread);
    ResumeThread(thread);
    return true;
}

bool WorkerThread::waitForEnd(DWORD milliseconds) const {
    const HANDLE thread = threadHandle();
    return !thread || WaitForSingleObject(thread, milliseconds) == WAIT_OBJECT_0;
}
