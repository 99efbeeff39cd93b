// A walk tells the truth about what it could not finish: a folder it could not list, or one that
// will not go though the job emptied it, is a failure told at the end; nothing it did not carry
// is removed, and no empty copy passes for a complete one.
#include "common/PlatformAbilities.h"
#include "fileops/ItemJobs.h"
#include "fileops/JobFailures.h"
#include "support/FileLinks.h"
#include "support/TempFolder.h"
#include "JobDriver.h"
#include <gtest/gtest.h>
#include <functional>

// The unlistable rows need a process that file modes bind (mode 0400 under Wine):
// tests/fileops/run-bound-by-modes.sh runs this test so; elsewhere they are left out.
TEST(FolderWalk, WhatAJobCouldNotListOrRemoveIsToldAndNothingUncarriedGoes) {
    const auto copy = [](const std::wstring& folder, const std::wstring& other) { return transfer({folder}, other, false); };
    const auto move = [](const std::wstring& folder, const std::wstring& other) { return transfer({folder}, other, true); };
    const auto remove = [](const std::wstring& folder, const std::wstring&) { return runItemJob<DeleteJob>({folder}); };
    const struct Row {
        const char* what;
        bool unlistable;  // else a file in it is held open by another program that lets others delete it
        std::function<bool(const std::wstring& folder, const std::wstring& other)> run;
    } rows[] = {
        {"copy an unlistable folder", true, copy},   {"move an unlistable folder to another drive", true, move},
        {"delete an unlistable folder", true, remove}, {"delete a folder with a held file", false, remove},
        {"move a folder with a held file to another drive", false, move},
    };
    bool bound = false, tried = false;  // whether this process is bound by file modes, once tried
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TempFolder work, otherVolume(otherDriveTestRoot());
        work.makeFolder(L"kept");
        work.writeFile(L"kept\\inside.txt", "canary");
        const std::wstring kept = work / L"kept";
        const auto listable = [&] {
            WIN32_FIND_DATAW data;
            HANDLE find = FindFirstFileW((kept + L"\\*").c_str(), &data);
            if (find != INVALID_HANDLE_VALUE) FindClose(find);
            return find != INVALID_HANDLE_VALUE;
        };
        if (r.unlistable) {
            if (tried && !bound) continue;
            ASSERT_TRUE(setHostMode(kept, "0400"));
            for (int waited = 0; waited < 2000 && !(bound = !listable()); waited += 20) Sleep(20);
            tried = true;
            if (!bound) {  // root with its capabilities lists any folder
                setHostMode(kept, "0700");
                continue;
            }
        }
        JobReport report;
        HANDLE held = r.unlistable ? INVALID_HANDLE_VALUE
                                   : CreateFileW((kept + L"\\inside.txt").c_str(), GENERIC_READ, 7, nullptr, OPEN_EXISTING, 0, nullptr);
        const bool ran = r.run(kept, otherVolume.path());
        const std::wstring told = report.finish();
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        if (r.unlistable) setHostMode(kept, "0700");
        for (int waited = 0; waited < 2000 && !listable(); waited += 20) Sleep(20);
        ASSERT_TRUE(ran);
        if (!r.unlistable && platformAbilities().posixDelete) {
            EXPECT_FALSE(fileExists(kept)) << "the held file's name went at once, and its folder with it";
            continue;
        }
        EXPECT_NE(told.find(kept), std::wstring::npos) << told;
        if (r.unlistable) {
            EXPECT_EQ(readFileBytes(kept + L"\\inside.txt"), "canary") << "what the job could not see was removed";
            EXPECT_FALSE(fileExists(otherVolume / L"kept")) << "an empty copy passes for a complete one";
        } else {
            EXPECT_TRUE(fileExists(kept));
            EXPECT_NE(told.find(failureReason(ERROR_DIR_NOT_EMPTY)), std::wstring::npos) << told;
        }
    }
}
