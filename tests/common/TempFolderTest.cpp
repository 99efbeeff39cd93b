#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <set>

namespace {
std::wstring nameOf(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }
std::wstring parentOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

std::set<std::wstring> namesIn(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.insert(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

bool isFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW((L"\\\\?\\" + path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

TEST(TestRoot, EachProgramHasOneOfItsOwnOnDriveCAndOneOnDriveZ) {
    const struct {
        const char* what;
        const std::wstring& root;
        const wchar_t* drive;
    } rows[] = {{"tests' root", testRoot(), L"C:"}, {"other drive's root", otherDriveTestRoot(), L"Z:"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(r.root.substr(0, 2), r.drive);
        EXPECT_EQ(nameOf(r.root), L"common_tests-" + std::to_wstring(GetCurrentProcessId()));
        EXPECT_EQ(nameOf(parentOf(r.root)), L"vantor-tests");
        EXPECT_TRUE(isFolder(r.root));
    }
    // Directly below the drive root: the folder browser's way down to a test folder is short.
    EXPECT_EQ(parentOf(testRoot()), L"C:\\vantor-tests");
}

TEST(TempFolder, RootHoldsOnlyTheLiveOnesAndEachGoesWithAllItHolds) {
    {
        TempFolder first, second;
        const TempFolder elsewhere(otherDriveTestRoot());
        EXPECT_EQ(parentOf(first.path()), testRoot());
        EXPECT_EQ(parentOf(elsewhere.path()), otherDriveTestRoot());
        EXPECT_EQ(namesIn(testRoot()), (std::set<std::wstring>{nameOf(first.path()), nameOf(second.path())}));

        // What tests leave in their folders: read-only files and folders deeper than the
        // classic path limit.
        first.makeFolder(L"sub");
        first.writeFile(L"sub\\kept.txt", "x");
        SetFileAttributesW((first / L"sub\\kept.txt").c_str(), FILE_ATTRIBUTE_READONLY);
        std::wstring deep = second.path();
        while (deep.size() < 400) {
            deep += L"\\" + std::wstring(100, L'd');
            CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr);
        }
        ASSERT_TRUE(isFolder(deep));
        ASSERT_TRUE(fileExists(first / L"sub\\kept.txt"));
    }
    EXPECT_TRUE(namesIn(testRoot()).empty());
    EXPECT_TRUE(namesIn(otherDriveTestRoot()).empty());
}
