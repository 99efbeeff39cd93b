#include "listing/FileIndex.h"
#include "listing/FileList.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
std::vector<std::wstring> namesInOrder(const FileIndex& index) {
    std::vector<std::wstring> names;
    for (int i = 0; i < index.count(); ++i) names.push_back(index.entryAt(i)->name());
    return names;
}

// Sets a file's last write time to a day offset from 2020-01-01.
void setWriteDay(const std::wstring& path, int day) {
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ULARGE_INTEGER t;
    t.QuadPart = 132223104000000000ULL + static_cast<uint64_t>(day) * 864000000000ULL;
    FILETIME ft{t.LowPart, t.HighPart};
    SetFileTime(file, nullptr, nullptr, &ft);
    CloseHandle(file);
}

// A folder with a sub-folder to list, so that ".." is there.
struct Tree {
    TempFolder root;
    std::wstring dir = root / L"sub";
    Tree() { root.makeFolder(L"sub"); }
    void file(const std::wstring& name, size_t bytes, int day) {
        root.writeFile(L"sub\\" + name, std::string(bytes, 'x'));
        setWriteDay(dir + L"\\" + name, day);
    }
    void folder(const std::wstring& name) { root.makeFolder(L"sub\\" + name); }
};
}  // namespace

TEST(FileList, MaskFiltersFilesButListsEveryFolder) {
    Tree t;
    t.file(L"a.txt", 1, 0);
    t.file(L"b.log", 1, 0);
    t.folder(L"docs.bin");
    t.folder(L"work");
    FileList list;
    EXPECT_EQ(list.scan(t.dir, L"*.txt"), 4);  // "..", two folders, a.txt
    EXPECT_EQ(list.parentCount(), 1);
    EXPECT_EQ(list.fileCount(), 3);
    std::vector<std::wstring> names;
    for (const FileEntry& e : list.entries()) names.push_back(e.name());
    EXPECT_NE(std::find(names.begin(), names.end(), L"work"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), L"a.txt"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), L"b.log"), names.end());

    EXPECT_EQ(list.scan(t.dir, L"*.zzz"), 3);  // folders stay listed
    EXPECT_EQ(list.scan(t.dir, L"*.*"), 5);
    EXPECT_EQ(list.scan(t.dir, L""), 5);
    EXPECT_EQ(list.scan(t.root / L"missing", L""), 0);
    EXPECT_EQ(list.fileCount(), 0);
}

TEST(FileList, MarksKeepTheirTotalsAndNeverTakeTheParentEntry) {
    Tree t;
    t.file(L"a", 512, 0);
    t.file(L"b", 512, 0);
    t.file(L"c", 512, 0);
    FileList list;
    ASSERT_EQ(list.scan(t.dir, L""), 4);
    int parent = -1;
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).isParent()) parent = i;
    }
    ASSERT_GE(parent, 0);
    EXPECT_EQ(list.setMark(parent, MarkMode::Mark), 0);
    EXPECT_EQ(list.setMark(parent, MarkMode::Toggle), 0);
    EXPECT_FALSE(list.at(parent).isMarked());

    for (int i = 0; i < list.size(); ++i) list.setMark(i, MarkMode::Toggle);
    EXPECT_EQ(list.markedCount(), 3);
    EXPECT_EQ(list.markedBytes(), 1536u);
    const int other = parent == 0 ? 1 : 0;
    EXPECT_EQ(list.setMark(other, MarkMode::Mark), 0);  // already marked
    EXPECT_EQ(list.setMark(other, MarkMode::Unmark), 1);
    EXPECT_EQ(list.setMark(other, MarkMode::Unmark), 0);
    EXPECT_EQ(list.setMark(-1, MarkMode::Mark), 0);
    EXPECT_EQ(list.setMark(list.size(), MarkMode::Mark), 0);
    EXPECT_EQ(list.markedCount(), 2);
    EXPECT_EQ(list.markedBytes(), 1024u);

    list.recount();
    EXPECT_EQ(list.markedCount(), 2);
    EXPECT_EQ(list.markedBytes(), 1024u);
    EXPECT_EQ(list.fileCount(), 3);
}

TEST(FileIndex, ParentEntryOnTopForTypesZeroToEightOnlyWhateverTheGroupMask) {
    Tree t;
    t.file(L"B.txt", 30, 3);
    t.file(L"a.txt", 10, 1);
    t.folder(L"zdir");
    FileList list;
    list.scan(t.dir, L"");
    FileIndex index;
    for (int type = 0; type <= 8; ++type) {
        for (uint32_t mask : {0u, 0x10u, 0xFFFFFFFFu}) {
            SCOPED_TRACE(testing::Message() << "type " << type << " mask " << mask);
            index.build(list);
            index.sort(type, mask);
            EXPECT_EQ(std::wstring(index.entryAt(0)->name()), L"..");
        }
    }
    for (int type : {9, -1, 100}) {
        SCOPED_TRACE(type);
        index.build(list);
        index.sort(type, 0x10);
        for (int i = 0; i < index.count(); ++i) EXPECT_EQ(index.positionAt(i), i);
    }
}

TEST(FileIndex, EachTypeOrdersByItsCriterionWithListingOrderBreakingTies) {
    Tree t;
    t.file(L"b.txt", 300, 2);
    t.file(L"a.TXT", 100, 3);
    t.file(L"README", 200, 1);
    t.file(L"C.txt", 100, 2);
    FileList list;
    list.scan(t.dir, L"");
    FileIndex index;
    auto sorted = [&](int type) {
        index.build(list);
        index.sort(type, 0);
        auto names = namesInOrder(index);
        names.erase(names.begin());  // ".."
        return names;
    };
    using V = std::vector<std::wstring>;
    EXPECT_EQ(sorted(1), (V{L"a.TXT", L"b.txt", L"C.txt", L"README"}));
    EXPECT_EQ(sorted(2), (V{L"README", L"C.txt", L"b.txt", L"a.TXT"}));
    // ".txt" is greater than ".TXT"; no extension comes last. Equal extensions keep listing order.
    V ext = sorted(3);
    EXPECT_EQ(ext.back(), L"README");
    EXPECT_EQ(ext[2], L"a.TXT");
    EXPECT_EQ(sorted(4), ext);
    EXPECT_EQ(sorted(5).back(), L"b.txt");
    EXPECT_EQ(sorted(6).front(), L"b.txt");
    EXPECT_EQ(sorted(7).front(), L"README");
    EXPECT_EQ(sorted(8).front(), L"a.TXT");
    // Size ties (a.TXT and C.txt, 100 bytes each) keep the listing order, ascending or descending.
    index.build(list);
    index.sort(0, 0);
    const bool aListedFirst = index.findName(L"a.TXT", 0) < index.findName(L"C.txt", 0);
    for (int type : {5, 6}) {
        sorted(type);
        EXPECT_EQ(index.findName(L"a.TXT", 0) < index.findName(L"C.txt", 0), aListedFirst) << type;
    }
}

TEST(FileIndex, FoldersFirstWithNoSortKeepsListingOrderInEachGroup) {
    Tree t;
    t.file(L"f1", 1, 0);
    t.folder(L"d1");
    t.file(L"f2", 1, 0);
    t.folder(L"d2");
    FileList list;
    list.scan(t.dir, L"");
    FileIndex index;
    index.build(list);
    index.sort(0, 0x10);
    ASSERT_EQ(index.count(), 5);
    EXPECT_EQ(std::wstring(index.entryAt(0)->name()), L"..");
    EXPECT_TRUE(index.entryAt(1)->isFolder());
    EXPECT_TRUE(index.entryAt(2)->isFolder());
    EXPECT_FALSE(index.entryAt(3)->isFolder());
    EXPECT_LT(index.positionAt(1), index.positionAt(2));
    EXPECT_LT(index.positionAt(3), index.positionAt(4));
    EXPECT_EQ(index.findName(L"f2", 0) >= 3, true);
    EXPECT_EQ(index.findName(L"F2", 0), -1);  // exact match only
    EXPECT_EQ(index.findName(L"d1", 3), -1);
    EXPECT_EQ(index.entryAt(5), nullptr);
    EXPECT_EQ(index.entryAt(-1), nullptr);
}

TEST(NameComparison, FoldsOnlyAsciiLetters) {
    EXPECT_EQ(compareNamesFoldingAscii(L"ABC", L"abc"), 0);
    EXPECT_LT(compareNamesFoldingAscii(L"a", L"B"), 0);
    EXPECT_GT(compareNamesFoldingAscii(L"Z", L"_"), 0);  // folded "z" (0x7A) sorts after "_" (0x5F)
    EXPECT_NE(compareNamesFoldingAscii(L"\x00C4", L"\x00E4"), 0);  // Ä and ä differ
    EXPECT_NE(compareNamesFoldingAscii(L"\xFF21", L"\xFF41"), 0);  // full-width Ａ and ａ differ
    EXPECT_STREQ(extensionOf(L"a.tar.gz"), L".gz");
    EXPECT_STREQ(extensionOf(L"README"), L"");
}
