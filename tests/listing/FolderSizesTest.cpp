#include "listing/FolderSizes.h"
#include <gtest/gtest.h>
#include <cwchar>

namespace {
WIN32_FIND_DATAW found(const wchar_t* name, DWORD attributes, uint64_t writeTime, uint64_t size = 0) {
    WIN32_FIND_DATAW data{};
    wcscpy(data.cFileName, name);
    data.dwFileAttributes = attributes;
    data.ftLastWriteTime = toFileTime(writeTime);
    data.nFileSizeLow = static_cast<DWORD>(size);
    return data;
}

int positionOf(const FileList& list, const wchar_t* name) {
    for (int i = 0; i < list.size(); ++i)
        if (std::wstring(list.at(i).name()) == name) return i;
    return -1;
}
}  // namespace

// A re-read by the watcher keeps a computed size where the folder itself did not change; the marked
// total follows every size given or taken back.
TEST(FolderSizes, AReReadKeepsTheSizesOfUnchangedFoldersAndTheMarkedTotalFollows) {
    constexpr DWORD kDir = FILE_ATTRIBUTE_DIRECTORY;
    FileList old;
    for (const auto& d : {found(L"..", kDir, 1), found(L"kept", kDir, 10), found(L"changed", kDir, 20),
                          found(L"atLeast", kDir, 30), found(L"unsized", kDir, 40), found(L"file.txt", 0, 50, 7)})
        old.append(d);
    old.setMark(positionOf(old, L"kept"), MarkMode::Mark);
    EXPECT_EQ(old.markedBytes(), 0u);
    setFolderSize(old, positionOf(old, L"kept"), 1000, false);
    setFolderSize(old, positionOf(old, L"changed"), 2000, false);
    setFolderSize(old, positionOf(old, L"atLeast"), 3000, true);
    setFolderSize(old, positionOf(old, L"file.txt"), 9999, false);  // a file keeps its own size
    setFolderSize(old, positionOf(old, L".."), 9999, false);
    EXPECT_EQ(old.markedBytes(), 1000u) << "the marked folder's size is not in the total";
    EXPECT_EQ(old.at(positionOf(old, L"file.txt")).size, 7u);
    EXPECT_FALSE(old.at(positionOf(old, L"..")).isSized());

    FileList fresh;
    for (const auto& d : {found(L"..", kDir, 1), found(L"kept", kDir, 10), found(L"changed", kDir, 21),
                          found(L"atLeast", kDir, 30), found(L"unsized", kDir, 40), found(L"file.txt", 0, 50, 7)})
        fresh.append(d);
    carryFolderSizes(old, fresh);
    const struct { const wchar_t* name; bool sized; uint64_t size; bool lowerBound; } rows[] = {
        {L"kept", true, 1000, false},   {L"changed", false, 0, false}, {L"atLeast", true, 3000, true},
        {L"unsized", false, 0, false},  {L"file.txt", false, 7, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(r.name)));
        const FileEntry& e = fresh.at(positionOf(fresh, r.name));
        EXPECT_EQ(e.isSized(), r.sized);
        EXPECT_EQ(e.size, r.size);
        EXPECT_EQ(e.sizeIsLowerBound(), r.lowerBound);
    }

    EXPECT_TRUE(forgetFolderSizes(old));
    EXPECT_EQ(old.markedBytes(), 0u);
    EXPECT_FALSE(hasFolderSizes(old));
    EXPECT_FALSE(forgetFolderSizes(old));
}
