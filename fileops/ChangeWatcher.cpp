#include "fileops/ChangeWatcher.h"
#include "common/PathUtil.h"
#include "common/ResolvedPath.h"
#include <dbt.h>
#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

namespace {
constexpr DWORD kFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES |
                          FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

struct ChangeHandleTraits {
    static HANDLE empty() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { FindCloseChangeNotification(h); }
};
using ChangeHandle = UniqueResource<HANDLE, ChangeHandleTraits>;

UniqueHandle manualResetEvent() { return UniqueHandle::fromApi(CreateEventW(nullptr, TRUE, FALSE, nullptr)); }
}  // namespace

// What the pane and the watcher thread share. The thread holds it too, so it stays valid until
// the thread has ended even when the pane is gone first.
struct ChangeWatcher::Shared {
    std::mutex lock;  // guards folder and the generations; never held across a call into the file system
    std::wstring folder;
    uint64_t generation = 0;       // counts the folders set (or let go)
    uint64_t armedGeneration = 0;  // the generation the thread's handle was opened for
    std::wstring resolved;         // where the folder of the handle resolves, for WatchersLetGo
    UniqueHandle device;           // the folder itself, registered for its device's removal
    HDEVNOTIFY notification = nullptr;
    HDEVNOTIFY kept = nullptr;     // the registration of a device let go of, until a folder is watched again
    int holds = 0;                 // WatchersLetGo living for this folder: no handle meanwhile
    UniqueHandle quit = manualResetEvent();
    UniqueHandle restart = manualResetEvent();
    UniqueHandle cleared = manualResetEvent();  // the pane cleared the posted flag
    UniqueHandle armed = manualResetEvent();    // the thread opened the folder last set (or none)
    std::atomic<bool> posted{false};
    UINT releasedMessage = 0;  // guarded by lock: posted once the next arm has closed the old handle
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

namespace {
// Closes the old change handle and opens one on the current folder (none when it cannot be
// watched: then only the events wake the thread). The open happens outside the lock: on a share
// that stopped answering it blocks until the redirector gives up, and the pane setting another
// folder meanwhile must not wait for it. A folder set during the open makes it start over.
// Closes the handle on the folder and ends its registration; one kept for a device let go of
// ends only with `kept` (a folder is watched again, or the thread ends).
void releaseDevice(ChangeWatcher::Shared& shared, bool kept) {
    HDEVNOTIFY notification = nullptr, keptNotification = nullptr;
    UniqueHandle device;
    {
        std::lock_guard<std::mutex> guard(shared.lock);
        notification = std::exchange(shared.notification, nullptr);
        if (kept) keptNotification = std::exchange(shared.kept, nullptr);
        device = std::move(shared.device);
    }
    if (notification) UnregisterDeviceNotification(notification);
    if (keptNotification) UnregisterDeviceNotification(keptNotification);
}

// A handle on the folder itself, registered so that the pane hears when the user asks to remove its
// device (a USB stick), and can let go of it.
std::pair<UniqueHandle, HDEVNOTIFY> watchDevice(HWND window, const std::wstring& folder) {
    UniqueHandle device = UniqueHandle::fromApi(CreateFileW(literalPath(folder).c_str(), FILE_LIST_DIRECTORY,
                                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!device || !window) return {std::move(device), nullptr};
    DEV_BROADCAST_HANDLE filter{};
    filter.dbch_size = sizeof(filter);
    filter.dbch_devicetype = DBT_DEVTYP_HANDLE;
    filter.dbch_handle = device.get();
    HDEVNOTIFY notification = RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    return {std::move(device), notification};
}

ChangeHandle arm(ChangeWatcher::Shared& shared, ChangeHandle old) {
    old.reset();
    for (;;) {
        std::wstring folder;
        uint64_t generation = 0;
        bool held = false;
        {
            std::lock_guard<std::mutex> guard(shared.lock);
            ResetEvent(shared.restart.get());
            folder = shared.folder;
            generation = shared.generation;
            held = shared.holds > 0;
        }
        releaseDevice(shared, !folder.empty());
        ChangeHandle change;
        const std::wstring resolved = folder.empty() || held ? std::wstring() : resolvedPath(folder);
        if (!folder.empty() && !held)
            change.reset(FindFirstChangeNotificationW(literalPath(folder).c_str(), FALSE, kFilter));
        auto [device, notification] = change ? watchDevice(shared.window, folder) : std::pair<UniqueHandle, HDEVNOTIFY>();
        std::unique_lock<std::mutex> guard(shared.lock);
        if (generation != shared.generation) {
            guard.unlock();
            if (notification) UnregisterDeviceNotification(notification);
            continue;
        }
        shared.armedGeneration = generation;
        if (!held) shared.resolved = resolved;
        shared.device = std::move(device);
        shared.notification = notification;
        SetEvent(shared.armed.get());
        if (const UINT released = std::exchange(shared.releasedMessage, 0U))
            PostMessageW(shared.window, released, shared.wParam, shared.lParam);
        return change;
    }
}

int watch(const std::shared_ptr<ChangeWatcher::Shared>& shared) {
    ChangeHandle change = arm(*shared, ChangeHandle());
    for (;;) {
        // While a message is out the change handle is left signalled and not waited on, so the
        // thread sleeps; when the pane clears the flag, a change that came meanwhile is posted once.
        const bool waiting = shared->posted.load();
        HANDLE handles[3] = {shared->quit.get(), shared->restart.get(),
                             waiting ? shared->cleared.get() : change.get()};
        const DWORD count = waiting || change ? 3 : 2;
        const DWORD result = WaitForMultipleObjects(count, handles, FALSE, INFINITE);
        if (result == WAIT_OBJECT_0 + 1) {
            change = arm(*shared, std::move(change));
        } else if (result == WAIT_OBJECT_0 + 2 && waiting) {
            ResetEvent(shared->cleared.get());
        } else if (result == WAIT_OBJECT_0 + 2) {
            ResetEvent(shared->cleared.get());
            shared->posted = true;
            // Opened afresh rather than re-armed: a folder deleted while watched stays "delete
            // pending", still there for everyone, until the last handle on it is closed.
            change = arm(*shared, std::move(change));
            PostMessageW(shared->window, shared->message, shared->wParam, shared->lParam);
        } else {
            break;  // quit, or the wait failed
        }
    }
    releaseDevice(*shared, true);
    return 0;
}
}  // namespace

namespace {
// Every watcher of the process, for the jobs that must make them let go of a folder.
std::mutex everyWatcherLock;
std::vector<std::weak_ptr<ChangeWatcher::Shared>>& everyWatcher() {
    static std::vector<std::weak_ptr<ChangeWatcher::Shared>> watchers;
    return watchers;
}
}  // namespace

ChangeWatcher::ChangeWatcher() : shared_(std::make_shared<Shared>()) {
    std::lock_guard<std::mutex> guard(everyWatcherLock);
    auto& watchers = everyWatcher();
    std::erase_if(watchers, [](const std::weak_ptr<Shared>& w) { return w.expired(); });
    watchers.push_back(shared_);
}

ChangeWatcher::~ChangeWatcher() { stop(); }

void ChangeWatcher::setFolder(const std::wstring& folder) {
    std::lock_guard<std::mutex> guard(shared_->lock);
    shared_->folder = folder;
    ++shared_->generation;
    SetEvent(shared_->restart.get());
}

void ChangeWatcher::letGo() {
    {
        std::lock_guard<std::mutex> guard(shared_->lock);
        shared_->folder.clear();
        ++shared_->generation;
        ResetEvent(shared_->armed.get());
        SetEvent(shared_->restart.get());
    }
    if (threadHandle()) WaitForSingleObject(shared_->armed.get(), 1000);
}

bool ChangeWatcher::letGoThenPost(UINT message) {
    std::lock_guard<std::mutex> guard(shared_->lock);
    shared_->folder.clear();
    ++shared_->generation;
    if (!threadHandle() || waitForEnd(0)) return false;
    shared_->releasedMessage = message;
    SetEvent(shared_->restart.get());
    return true;
}

bool ChangeWatcher::start(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (threadHandle()) return true;
    shared_->window = window;
    shared_->message = message;
    shared_->wParam = wParam;
    shared_->lParam = lParam;
    return startThread([shared = shared_] { return watch(shared); });
}

bool ChangeWatcher::stop(DWORD milliseconds) {
    SetEvent(shared_->quit.get());
    return waitForEnd(milliseconds);
}

void ChangeWatcher::clearPosted() {
    shared_->posted = false;
    SetEvent(shared_->cleared.get());
}

bool ChangeWatcher::posted() const { return shared_->posted.load(); }

bool ChangeWatcher::opening() const {
    std::lock_guard<std::mutex> guard(shared_->lock);
    return shared_->armedGeneration != shared_->generation && threadHandle() && !waitForEnd(0);
}

WatchersLetGo::WatchersLetGo(const std::wstring& resolvedFolder) {
    {
        std::lock_guard<std::mutex> guard(everyWatcherLock);
        for (const std::weak_ptr<ChangeWatcher::Shared>& watcher : everyWatcher()) {
            std::shared_ptr<ChangeWatcher::Shared> shared = watcher.lock();
            if (!shared) continue;
            std::lock_guard<std::mutex> sharedGuard(shared->lock);
            if (shared->resolved.empty() || !resolvedInside(shared->resolved, resolvedFolder)) continue;
            ++shared->holds;
            ++shared->generation;
            ResetEvent(shared->armed.get());
            SetEvent(shared->restart.get());
            held_.push_back(std::move(shared));
        }
    }
    for (const auto& shared : held_) WaitForSingleObject(shared->armed.get(), 1000);
}

WatchersLetGo::~WatchersLetGo() {
    for (const auto& shared : held_) {
        {
            std::lock_guard<std::mutex> guard(shared->lock);
            --shared->holds;
            ++shared->generation;
            SetEvent(shared->restart.get());
        }
        // The folder may be gone now: the pane re-reads it and leaves it if so.
        if (shared->window && !shared->posted.exchange(true)) PostMessageW(shared->window, shared->message, shared->wParam, shared->lParam);
    }
}

ChangeWatcher::Device ChangeWatcher::device() const {
    std::lock_guard<std::mutex> guard(shared_->lock);
    return {shared_->device ? shared_->device.get() : nullptr, shared_->notification};
}

bool ChangeWatcher::Device::sentAbout(const DEV_BROADCAST_HDR* broadcast) const {
    if (!broadcast || broadcast->dbch_devicetype != DBT_DEVTYP_HANDLE) return false;
    const auto* about = reinterpret_cast<const DEV_BROADCAST_HANDLE*>(broadcast);
    return (notification && about->dbch_hdevnotify == notification) || (handle && about->dbch_handle == handle);
}

void ChangeWatcher::letGoOfDevice() {
    {
        std::lock_guard<std::mutex> guard(shared_->lock);
        shared_->kept = std::exchange(shared_->notification, nullptr);
    }
    letGo();
}
