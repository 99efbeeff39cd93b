#include "common/DetachedThread.h"
#include <windows.h>
#include <memory>

bool runDetached(std::function<void()> work) {
    auto* held = new std::function<void()>(std::move(work));
    const auto body = [](void* parameter) -> DWORD {
        const std::unique_ptr<std::function<void()>> owned(static_cast<std::function<void()>*>(parameter));
        (*owned)();
        return 0;
    };
    HANDLE thread = CreateThread(nullptr, 0, body, held, 0, nullptr);
    if (!thread) {
        delete held;
        return false;
    }
    CloseHandle(thread);
    return true;
}
