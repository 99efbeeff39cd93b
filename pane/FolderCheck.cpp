#include "pane/FolderCheck.h"
#include "common/DetachedThread.h"
#include "common/PathUtil.h"
#include "framework/Handles.h"
#include <atomic>
#include <memory>
#include <utility>

namespace {
FolderProbe testProbe = nullptr;

// What the asking thread and the window share; the thread holds it too, so a window that stopped
// waiting leaves it to the thread.
struct Asked {
    std::function<bool()> check;
    std::atomic<bool> answer{false};
    UniqueHandle done = UniqueHandle::fromApi(CreateEventW(nullptr, TRUE, FALSE, nullptr));
};
}  // namespace

std::optional<bool> checkWithin(std::function<bool()> check, DWORD patience) {
    auto asked = std::make_shared<Asked>();
    asked->check = std::move(check);
    if (!asked->done) return asked->check();
    const bool started = runDetached([asked] {
        asked->answer = asked->check();
        SetEvent(asked->done.get());
    });
    if (!started) return asked->check();
    if (WaitForSingleObject(asked->done.get(), patience) != WAIT_OBJECT_0) return std::nullopt;
    return asked->answer.load();
}

FolderProbe swapFolderProbe(FolderProbe probe) { return std::exchange(testProbe, probe); }

bool folderListable(const std::wstring& folder) { return testProbe ? testProbe(folder) : canListFolder(folder); }

bool folderExists(const std::wstring& folder) { return testProbe ? testProbe(folder) : isExistingFolder(folder); }
