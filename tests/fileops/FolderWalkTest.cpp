// A walk tells the truth about what it could not finish: a folder that will not go though the job
// emptied it, or one it could not list, is a failure told at the end, and a move never removes
// a source it did not carry whole.
#include "common/PlatformAbilities.h"
#include "fileops/ItemJobs.h"
#include "fileops/JobFailures.h"
#include "support/TempFolder.h"
#include "JobDriver.h"
#include <gtest/gtest.h>
#include <functional>

namespace {
bool deleteItems(const std::vector<std::wstring>& paths) {
    const int before = FileJob::liveCount();
    auto* job = new DeleteJob;
    job->attach();
    job->operation().paths = paths;
    FileJob::start(job, nullptr);
    return waitForJobs(before);
}

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
        {"delete", [](const std::wstring& folder) { return deleteItems({folder}); }},
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
