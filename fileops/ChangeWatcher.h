// Watches one folder (not its subfolders) on a thread of its own and posts a message to the pane
// when something in it changes: names, attributes, sizes or write times. At most one message is
// outstanding: the next is posted only after the pane says it has re-read the folder.
#pragma once
#include "fileops/WorkerThread.h"
#include <dbt.h>
#include <memory>
#include <string>
#include <vector>

class ChangeWatcher : public WorkerThread {
public:
    ChangeWatcher();
    // Stops the thread; the state it shares outlives this object if the thread is slow to end.
    ~ChangeWatcher() override;

    // Watches `folder` from now on; the old folder is no longer watched.
    void setFolder(const std::wstring& folder);
    // Starts the thread that posts `message` (with `wParam`, `lParam`) to `window` on a change.
    bool start(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Closes the watcher's handle on its folder and waits (at most a second) until it is closed;
    // `setFolder` watches again. A folder deleted while a handle is open on it stays "delete
    // pending", visible to everyone, until the handle goes: this lets such a folder really go.
    void letGo();
    // As letGo, without waiting: `message` is posted to the window given to start once the handle
    // is closed, with the wParam and lParam given there. False when no thread runs, so nothing
    // holds the folder and nothing will be posted.
    bool letGoThenPost(UINT message);
    // Asks the thread to end and waits at most `milliseconds`; true when it ended in time.
    bool stop(DWORD milliseconds = 1000);
    // The pane re-reads its folder: the next change may be posted (at once if one is pending).
    void clearPosted();
    // Whether a message is out that the pane has not yet answered by re-reading.
    bool posted() const;
    // Whether the running thread has yet to open (or fail to open) the folder last set: until it
    // has, a change made to that folder goes unseen.
    bool opening() const;
    // The watcher's handle on the folder itself and its registration for the removal of the
    // device the folder lies on (a USB stick); both null when there is none.
    struct Device {
        HANDLE handle = nullptr;
        HDEVNOTIFY notification = nullptr;
        // Whether a device notification (WM_DEVICECHANGE's lParam) is about this one.
        bool sentAbout(const DEV_BROADCAST_HDR* broadcast) const;
    };
    Device device() const;
    // As letGo, for a device the user asks to remove: its registration stays, so that the removal
    // (or its failure) is still heard, until a folder is watched again.
    void letGoOfDevice();

    struct Shared;

private:
    std::shared_ptr<Shared> shared_;
};

// While it lives, no watcher of the process holds a handle on the folder that resolves to
// `resolvedFolder` or on one inside it: a job about to remove that folder makes them let go, so
// their handles neither keep it "delete pending" nor keep the folder above it from going. Each
// has closed its handle (or a second has passed) when the constructor returns; afterwards each
// watches again and tells its pane, which leaves a folder that is gone.
class WatchersLetGo {
public:
    explicit WatchersLetGo(const std::wstring& resolvedFolder);
    ~WatchersLetGo();
    WatchersLetGo(const WatchersLetGo&) = delete;
    WatchersLetGo& operator=(const WatchersLetGo&) = delete;

private:
    std::vector<std::shared_ptr<ChangeWatcher::Shared>> held_;
};
