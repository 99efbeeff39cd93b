#include "fileops/ChangeWatcher.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <climits>
#include <functional>

namespace {
constexpr UINT kChanged = WM_USER + 100;

// A message-only window that the watcher posts to, and the pane's side of the exchange: each
// message is a re-read, after which the posted flag is cleared.
class Pane {
public:
    Pane() : window_(CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~Pane() { DestroyWindow(window_); }
    HWND window() const { return window_; }

    // The messages that arrive within `milliseconds`, each answered by clearing the flag. A
    // change that must be seen waits only until `enough` have come, however long a loaded machine
    // takes; showing that nothing comes needs the whole time.
    int rereads(ChangeWatcher& watcher, int milliseconds, int enough = INT_MAX) {
        int count = 0;
        const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
        while (count < enough && static_cast<int>(end - GetTickCount()) > 0) {
            MSG msg;
            while (PeekMessageW(&msg, window_, kChanged, kChanged, PM_REMOVE)) {
                ++count;
                watcher.clearPosted();
            }
            Sleep(10);
        }
        return count;
    }

private:
    HWND window_;
};

void setWriteTime(const std::wstring& path, uint64_t time) {
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    const FILETIME ft{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    SetFileTime(file, nullptr, nullptr, &ft);
    CloseHandle(file);
}
}  // namespace

TEST(ChangeWatcher, EveryKindOfChangeInTheFolderButNotInItsSubfoldersLeadsToAReRead) {
    TempFolder dir;
    dir.writeFile(L"old.txt", "x");
    dir.makeFolder(L"sub");
    Pane pane;
    ChangeWatcher watcher;
    watcher.setFolder(dir.path());
    ASSERT_TRUE(watcher.start(pane.window(), kChanged, 0, 0));
    pane.rereads(watcher, 200);

    const std::wstring old = dir / L"old.txt";
    const struct { const char* change; std::function<void()> make; bool seen; } rows[] = {
        {"create", [&] { dir.writeFile(L"new.txt", "x"); }, true},
        {"delete", [&] { DeleteFileW((dir / L"new.txt").c_str()); }, true},
        {"rename", [&] { MoveFileW(old.c_str(), (dir / L"renamed.txt").c_str()); }, true},
        {"size", [&] { dir.writeFile(L"renamed.txt", "longer"); }, true},
        {"time", [&] { setWriteTime(dir / L"renamed.txt", 132223104000000000ULL); }, true},
        {"attributes", [&] { SetFileAttributesW((dir / L"renamed.txt").c_str(), FILE_ATTRIBUTE_READONLY); }, true},
        {"folder created", [&] { dir.makeFolder(L"sub2"); }, true},
        {"file in a subfolder", [&] { dir.writeFile(L"sub\\inner.txt", "x"); }, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.change);
        r.make();
        if (r.seen) {
            EXPECT_GE(pane.rereads(watcher, 10000, 1), 1);
            pane.rereads(watcher, 300);  // a second note of the same change
        } else {
            EXPECT_EQ(pane.rereads(watcher, 700), 0);
        }
    }
    SetFileAttributesW((dir / L"renamed.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(watcher.stop(1000));
}

TEST(ChangeWatcher, FollowsOnlyTheFolderLastSet) {
    TempFolder first, second;
    Pane pane;
    ChangeWatcher watcher;
    watcher.setFolder(first.path());
    ASSERT_TRUE(watcher.start(pane.window(), kChanged, 0, 0));
    watcher.setFolder(second.path());
    watcher.clearPosted();
    pane.rereads(watcher, 200);

    first.writeFile(L"a.txt", "x");
    EXPECT_EQ(pane.rereads(watcher, 500), 0);
    second.writeFile(L"b.txt", "x");
    EXPECT_GE(pane.rereads(watcher, 10000, 1), 1);

    // A folder that cannot be watched leaves the watcher waiting for the next folder.
    watcher.setFolder(first / L"missing");
    pane.rereads(watcher, 200);
    second.writeFile(L"c.txt", "x");
    EXPECT_EQ(pane.rereads(watcher, 400), 0);
    watcher.setFolder(first.path());
    pane.rereads(watcher, 200);
    first.writeFile(L"d.txt", "x");
    EXPECT_GE(pane.rereads(watcher, 10000, 1), 1);
}

TEST(ChangeWatcher, ABurstIsOneMessageAndOneMoreAfterTheReRead) {
    TempFolder dir;
    Pane pane;
    ChangeWatcher watcher;
    watcher.setFolder(dir.path());
    ASSERT_TRUE(watcher.start(pane.window(), kChanged, 0, 0));
    pane.rereads(watcher, 200);

    for (int i = 0; i < 100; ++i) dir.writeFile(L"f" + std::to_wstring(i), "x");
    Sleep(300);
    // Nothing was re-read yet: one message is out and no second one follows it.
    MSG msg;
    int waiting = 0;
    while (PeekMessageW(&msg, pane.window(), kChanged, kChanged, PM_REMOVE)) ++waiting;
    EXPECT_EQ(waiting, 1);
    EXPECT_TRUE(watcher.posted());
    // Re-reading lets the changes that came meanwhile through, once.
    watcher.clearPosted();
    const int more = pane.rereads(watcher, 700);
    EXPECT_GE(more, 1);
    EXPECT_LE(waiting + more, 3);
}

TEST(ChangeWatcher, StopsWithinASecondAndNeverStartedStopsAtOnce) {
    TempFolder dir;
    Pane pane;
    ChangeWatcher idle;
    EXPECT_TRUE(idle.stop(0));
    ChangeWatcher watcher;
    watcher.setFolder(dir.path());
    ASSERT_TRUE(watcher.start(pane.window(), kChanged, 0, 0));
    Sleep(50);
    EXPECT_TRUE(watcher.stop(1000));
    dir.writeFile(L"after.txt", "x");
    EXPECT_EQ(pane.rereads(watcher, 300), 0);
}

// A job about to remove a folder makes the watchers on it and inside it let go; an unrelated
// watcher goes on. Afterwards each watches again and tells its pane once.
TEST(ChangeWatcher, LetsGoOfAFolderAJobRemovesAndTellsItsPaneAfterwards) {
    TempFolder outer, other;
    outer.makeFolder(L"inner");
    Pane insidePane, otherPane;
    ChangeWatcher inside, unrelated;
    inside.setFolder(outer / L"inner");
    unrelated.setFolder(other.path());
    ASSERT_TRUE(inside.start(insidePane.window(), kChanged, 0, 0));
    ASSERT_TRUE(unrelated.start(otherPane.window(), kChanged, 0, 0));
    while (inside.opening() || unrelated.opening()) Sleep(10);
    {
        const WatchersLetGo letGo(outer.path());
        outer.writeFile(L"inner\\made.txt", "x");
        other.writeFile(L"made.txt", "x");
        EXPECT_EQ(otherPane.rereads(unrelated, 5000, 1), 1);
        EXPECT_EQ(insidePane.rereads(inside, 300), 0) << "the watcher still held the folder";
    }
    EXPECT_GE(insidePane.rereads(inside, 5000, 1), 1);
    outer.writeFile(L"inner\\later.txt", "x");
    EXPECT_GE(insidePane.rereads(inside, 5000, 1), 1) << "it watches again";
}
