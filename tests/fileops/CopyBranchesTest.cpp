// Both ways a file is copied, each run here whatever the host: the platform's own copy (which
// under Wine copies but never reports progress) and the program's block loop. Either writes a
// replacement under a name of its own, keeps the replaced file's creation time and attributes,
// and leaves nothing behind when cancelled before its first byte.
#include "common/PlatformAbilities.h"
#include "fileops/FileCopy.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <filesystem>

namespace {
uint64_t creationTime(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return (static_cast<uint64_t>(data.ftCreationTime.dwHighDateTime) << 32) | data.ftCreationTime.dwLowDateTime;
}
}  // namespace

TEST(CopyBranches, EachCopiesReplacesThroughItsOwnNameAndStopsBeforeTheFirstByte) {
    const FILETIME y2001{0xC89DC000, 0x01C07385};  // 2001-01-01 00:00 UTC
    const uint64_t old = (static_cast<uint64_t>(y2001.dwHighDateTime) << 32) | y2001.dwLowDateTime;
    const struct Row {
        const char* what;
        bool replace, cancel;
    } rows[] = {
        {"a new file", false, false}, {"a replacement", true, false}, {"cancelled before the first byte", false, true},
        {"a replacement cancelled before the first byte", true, true},
    };
    for (const bool platform : {false, true}) {
        PlatformAbilities abilities = platformAbilities();
        abilities.copyReportsProgress = platform;
        const PlatformAbilitiesOverride branch(abilities);
        for (const Row& r : rows) {
            SCOPED_TRACE(std::string(platform ? "platform copy: " : "block loop: ") + r.what);
            TempFolder src, dst;
            src.writeFile(L"a.txt", "new contents");
            bool creationSettable = false;
            if (r.replace) {
                dst.writeFile(L"a.txt", "old");
                HANDLE file = CreateFileW((dst / L"a.txt").c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
                SetFileTime(file, &y2001, nullptr, nullptr);
                CloseHandle(file);
                SetFileAttributesW((dst / L"a.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
                creationSettable = creationTime(dst / L"a.txt") == old;
            }
            const DWORD error = copyFileSafely(src / L"a.txt", dst / L"a.txt", r.replace,
                                               [&](uint64_t, uint64_t) { return !r.cancel; });
            EXPECT_EQ(error, r.cancel ? ERROR_REQUEST_ABORTED : 0u);
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dst.path()), {}), r.replace || !r.cancel ? 1 : 0)
                << "a file of the copy's own left behind";
            EXPECT_EQ(readFileBytes(dst / L"a.txt"), !r.cancel ? "new contents" : r.replace ? "old" : "");
            if (!r.replace) continue;
            EXPECT_TRUE(GetFileAttributesW((dst / L"a.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
            // Wine on most Unix file systems cannot set a creation time: then there is none to keep.
            if (creationSettable) {
                EXPECT_EQ(creationTime(dst / L"a.txt"), old);
            }
        }
    }
}
