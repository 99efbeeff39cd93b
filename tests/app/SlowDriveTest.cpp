// The window never waits on a drive: with the platform's answer held up (as on a share that
// stopped answering), keys typed in the pane are answered all the same.
#include "pane/FolderCheck.h"
#include "pane/ListingLine.h"
#include "support/RunningProgram.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <dbt.h>
#include <atomic>

namespace {
const HANDLE answerNow = CreateEventW(nullptr, TRUE, FALSE, nullptr);
std::atomic<int> heldCalls{0};

// Waits as a dead share does, until the test lets it go (or gives up itself).
bool holdUp() {
    ++heldCalls;
    WaitForSingleObject(answerNow, 10000);
    --heldCalls;
    return true;
}
BOOL WINAPI heldFreeSpace(LPCWSTR, PULARGE_INTEGER available, PULARGE_INTEGER, PULARGE_INTEGER) {
    available->QuadPart = 0;
    return holdUp();
}
bool heldProbe(const std::wstring&) { return holdUp(); }
}  // namespace

TEST(SlowDrive, KeysAreAnsweredWhileThePlatformHoldsUpAnAnswer) {
    const struct {
        const char* what;
        void (*hold)(bool held);
        void (*ask)(CVantorView& pane, const std::wstring& elsewhere);
    } rows[] = {
        {"the free space of the folder", [](bool held) { swapFreeSpaceCall(held ? heldFreeSpace : GetDiskFreeSpaceExW); },
         [](CVantorView& pane, const std::wstring&) { SendMessageW(pane.hwnd(), WM_FOLDER_CHANGED, 0, 0); }},
        {"whether the folder asked for is there", [](bool held) { swapFolderProbe(held ? heldProbe : nullptr); },
         [](CVantorView& pane, const std::wstring& elsewhere) { pane.onDirDirectParameter(elsewhere); }},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        TempFolder dir, elsewhere;
        for (auto name : {L"a.txt", L"b.txt", L"c.txt"}) dir.writeFile(name, "x");
        RunningProgram program;
        ASSERT_TRUE(program.start(dir.path()));
        CVantorView& pane = program.pane(0);
        ResetEvent(answerNow);
        r.hold(true);
        r.ask(pane, elsewhere.path());
        const bool held = program.pumpUntil([] { return heldCalls > 0; });
        const int before = pane.listing().cursor();
        PostMessageW(pane.hwnd(), WM_KEYDOWN, VK_DOWN, 1);
        EXPECT_TRUE(program.pumpUntil([&] { return pane.listing().cursor() != before; })) << "the key waited for the drive";
        EXPECT_TRUE(held && heldCalls > 0) << "the platform's answer was not held up meanwhile";
        SetEvent(answerNow);
        program.pumpUntil([] { return heldCalls == 0; });
        r.hold(false);
    }
}

// A stick shown in a pane can be ejected: asked to remove its device, the pane lets go of the
// folder; when the device is gone it moves as when its folder vanished, and when the removal
// fails it watches again. (Wine sends no such notification: the test sends what Windows would.)
TEST(RemovableDrive, ThePaneLetsGoWhenAskedAndMovesOnceTheDeviceIsGone) {
    for (const WPARAM outcome : {DBT_DEVICEREMOVECOMPLETE, DBT_DEVICEQUERYREMOVEFAILED}) {
        const bool removed = outcome == DBT_DEVICEREMOVECOMPLETE;
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
        DEV_BROADCAST_HANDLE about{.dbch_size = sizeof(DEV_BROADCAST_HANDLE), .dbch_devicetype = DBT_DEVTYP_HANDLE,
                                   .dbch_handle = device.handle, .dbch_hdevnotify = device.notification};
        const auto send = [&](WPARAM event) {
            SendMessageW(pane.hwnd(), WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&about));
        };
        send(DBT_DEVICEQUERYREMOVE);
        EXPECT_EQ(pane.watcher().device().handle, nullptr) << "the pane still holds the folder";
        if (removed) {
            ASSERT_TRUE(RemoveDirectoryW((drive / L"stick").c_str())) << GetLastError();
        }
        send(outcome);
        program.settle();
        EXPECT_EQ(pane.folder(), removed ? drive.path() : drive / L"stick");
        EXPECT_NE(pane.watcher().device().handle, nullptr) << "the pane watches no folder";
    }
}
