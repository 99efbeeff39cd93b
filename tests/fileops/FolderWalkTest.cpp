// A walk tells the truth about what it could not finish: a folder that will not go though the job
// emptied it, or one it could not list, is a failure told at the end, and a move never removes
// a source it did not carry whole.
#include "common/PlatformAbilities.h"
#include "fileops/ItemJobs.h"
#include "fileops/JobFailures.h"
#include "support/FileLinks.h"
#include "support/TempFolder.h"
#include "JobDriver.h"
#include <gtest/gtest.h>
#include <functional>

namespace {
// A file held open by another program that lets others delete it (as an indexer does).
struct HeldFile {
    HANDLE handle;
    explicit HeldFile(const std::wstring& path)
        : handle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldFile() { CloseHandle(handle); }
};
}  // namespace

TEST(FolderWalk, AFolderEmptiedByTheJobThatWillNotGoIsTold) {
    const TempFolder otherVolume(otherDriveTestRoot());
    const struct Row {
        const char* what;
        std::function<bool(const std::wstring& folder)> run;
    } rows[] = {
        {"delete", [](const std::wstring& folder) { return runItemJob<DeleteJob>({folder}); }},
        {"move to another drive", [&](const std::wstring& folder) { return transfer({folder}, otherVolume.path(), true); }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TempFolder work;
        work.makeFolder(L"kept");
        work.writeFile(L"kept\\held.txt", "x");
        JobReport report;
        bool ran = false;
        {
            HeldFile held(work / L"kept\\held.txt");
            ASSERT_NE(held.handle, INVALID_HANDLE_VALUE);
            ran = r.run(work / L"kept");
        }
        ASSERT_TRUE(ran);
        const std::wstring told = report.finish();
        if (platformAbilities().posixDelete) {
            EXPECT_FALSE(fileExists(work / L"kept")) << "the held file's name went at once, and its folder with it";
            EXPECT_EQ(told, L"");
        } else {
            EXPECT_TRUE(fileExists(work / L"kept"));
            EXPECT_NE(told.find(work / L"kept"), std::wstring::npos) << told;
            EXPECT_NE(told.find(failureReason(ERROR_DIR_NOT_EMPTY)), std::wstring::npos) << told;
        }
    }
}

// A folder that opens but cannot be listed (mode 0400 under Wine, for a process that file modes
// bind: tests/fileops/run-bound-by-modes.sh runs this one so) is never taken for empty.
TEST(UnlistableFolder, IsToldAndNothingUncarriedIsRemovedOrPassedOffAsCopied) {
    const struct Row {
        const char* what;
        std::function<bool(const std::wstring& folder, const std::wstring& other)> run;
    } rows[] = {
        {"copy", [](const std::wstring& folder, const std::wstring& other) { return transfer({folder}, other, false); }},
        {"move to another drive",
         [](const std::wstring& folder, const std::wstring& other) { return transfer({folder}, other, true); }},
        {"delete", [](const std::wstring& folder, const std::wstring&) { return runItemJob<DeleteJob>({folder}); }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TempFolder work, otherVolume(otherDriveTestRoot());
        work.makeFolder(L"locked");
        work.writeFile(L"locked\\inside.txt", "canary");
        const std::wstring locked = work / L"locked";
        const auto listable = [&] {
            WIN32_FIND_DATAW data;
            HANDLE find = FindFirstFileW((locked + L"\\*").c_str(), &data);
            bool sawInside = false;
            if (find != INVALID_HANDLE_VALUE) {
                do sawInside |= std::wstring(data.cFileName) == L"inside.txt";
                while (FindNextFileW(find, &data));
                FindClose(find);
            }
            return sawInside && fileExists(locked + L"\\inside.txt");
        };
        ASSERT_TRUE(setHostMode(locked, "0400")) << "a host whose file modes can be set";
        bool bound = false;
        for (int waited = 0; waited < 2000 && !(bound = !listable()); waited += 20) Sleep(20);
        if (!bound) {
            setHostMode(locked, "0700");
            GTEST_SKIP() << "this process lists any folder whatever its mode (root with its capabilities)";
        }
        JobReport report;
        const bool ran = r.run(locked, otherVolume.path());
        const std::wstring told = report.finish();
        setHostMode(locked, "0700");
        for (int waited = 0; waited < 2000 && !listable(); waited += 20) Sleep(20);
        ASSERT_TRUE(ran);
        EXPECT_NE(told.find(locked), std::wstring::npos) << told;
        EXPECT_EQ(readFileBytes(locked + L"\\inside.txt"), "canary") << "what the job could not see was removed";
        EXPECT_FALSE(fileExists(otherVolume / L"locked")) << "an empty copy passes for a complete one";
    }
}
