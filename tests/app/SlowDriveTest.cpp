// The window never waits on a drive: with the platform's answer held up (as on a share that
// stopped answering), keys typed in the pane are answered all the same.
#include "pane/FolderCheck.h"
#include "pane/ListingLine.h"
#include "support/RunningProgram.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <dbt.h>
#include <atomic>
#include <functional>

namespace {
HANDLE answerNow = nullptr;
std::atomic<int> heldCalls{0};

// Waits as a dead share does, until the test lets it go (or gives up itself).
void holdUp() {
    ++heldCalls;
    WaitForSingleObject(answerNow, 10000);
    --heldCalls;
}
BOOL WINAPI heldFreeSpace(LPCWSTR, PULARGE_INTEGER available, PULARGE_INTEGER, PULARGE_INTEGER) {
    holdUp();
    available->QuadPart = 0;
    return TRUE;
}
bool heldProbe(const std::wstring&) {
    holdUp();
    return true;
}
}  // namespace

TEST(SlowDrive, KeysAreAnsweredWhileThePlatformHoldsUpAnAnswer) {
    const struct Row {
        const char* what;
        std::function<void()> hold, release;
        std::function<void(CVantorView& pane, const std::wstring& elsewhere)> ask;
    } rows[] = {
        {"the free space of the folder", [] { swapFreeSpaceCall(heldFreeSpace); }, [] { swapFreeSpaceCall(GetDiskFreeSpaceExW); },
         [](CVantorView& pane, const std::wstring&) { SendMessageW(pane.hwnd(), WM_FOLDER_CHANGED, 0, 0); }},
        {"whether the folder asked for is there", [] { swapFolderProbe(heldProbe); }, [] { swapFolderProbe(nullptr); },
         [](CVantorView& pane, const std::wstring& elsewhere) { pane.onDirDirectParameter(elsewhere); }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TempFolder dir, elsewhere;
        for (auto name : {L"a.txt", L"b.txt", L"c.txt"}) dir.writeFile(name, "x");
        RunningProgram program;
        ASSERT_TRUE(program.start(dir.path()));
        CVantorView& pane = program.pane(0);
        answerNow = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        r.hold();
        r.ask(pane, elsewhere.path());
        const bool held = program.pumpUntil([] { return heldCalls > 0; });
        const int before = pane.listing().cursor();
        PostMessageW(pane.hwnd(), WM_KEYDOWN, VK_DOWN, 1);
        EXPECT_TRUE(program.pumpUntil([&] { return pane.listing().cursor() != before; })) << "the key waited for the drive";
        EXPECT_TRUE(held && heldCalls > 0) << "the platform's answer was not held up meanwhile";
        SetEvent(answerNow);
        program.pumpUntil([] { return heldCalls == 0; });
        r.release();
        CloseHandle(answerNow);
    }
}

// A stick shown in a pane can be ejected: asked to remove its device, the pane lets go of the
// folder; when the device is gone it moves as when its folder vanished, and when the removal
// fails it watches again. (Wine sends no such notification: the test sends what Windows would.)
TEST(RemovableDrive, ThePaneLetsGoWhenAskedAndMovesOnceTheDeviceIsGone) {
    for (const bool removed : {true, false}) {
        SCOPED_TRACE(removed ? "removed" : "the removal failed");
        TempFolder drive;
        drive.makeFolder(L"stick");
        RunningProgram program;
        ASSERT_TRUE(program.start(drive.path()));
        CVantorView& pane = program.pane(0);
        pane.onDirDirectParameter(drive / L"stick");
        program.settle();
        const ChangeWatcher::Device device = pane.watcher().device();
        ASSERT_NE(device.handle, nullptr) << "the pane holds no handle to be told about";
        DEV_BROADCAST_HANDLE about{};
        about.dbch_size = sizeof(about);
        about.dbch_devicetype = DBT_DEVTYP_HANDLE;
        about.dbch_handle = device.handle;
        about.dbch_hdevnotify = device.notification;
        const auto send = [&](WPARAM event) {
            SendMessageW(pane.hwnd(), WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&about));
        };
        send(DBT_DEVICEQUERYREMOVE);
        EXPECT_EQ(pane.watcher().device().handle, nullptr) << "the pane still holds the folder";
        if (removed) {
            ASSERT_TRUE(RemoveDirectoryW((drive / L"stick").c_str())) << GetLastError();
            send(DBT_DEVICEREMOVECOMPLETE);
            program.settle();
            EXPECT_EQ(pane.folder(), drive.path());
        } else {
            send(DBT_DEVICEQUERYREMOVEFAILED);
            program.settle();
            EXPECT_NE(pane.watcher().device().handle, nullptr) << "not watched again";
            EXPECT_EQ(pane.folder(), drive / L"stick");
        }
    }
}
