// The compact listing and its key-based sort against the plain way of doing the same: every find
// record kept whole, counted before filling, and a sort that compares the entries themselves.
#include "listing/FileIndex.h"
#include "listing/FileList.h"
#include "listing/MarkedNames.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cwchar>
#include <vector>

namespace {
struct PlainEntry {
    WIN32_FIND_DATAW data;
    bool parent;
};

// Count, then fill: all entries, or folders first and then the files the mask matches.
std::vector<PlainEntry> plainListing(const std::wstring& folder, const std::wstring& mask) {
    const auto pass = [](const std::wstring& pattern, bool folders, bool files, std::vector<PlainEntry>& out) {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW(pattern.c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return;
        do {
            if (std::wcscmp(data.cFileName, L".") == 0) continue;
            const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (isFolder ? !folders : !files) continue;
            out.push_back({data, std::wcscmp(data.cFileName, L"..") == 0});
        } while (FindNextFileW(find, &data));
        FindClose(find);
    };
    std::vector<PlainEntry> entries;
    if (mask.empty() || mask == L"*.*") {
        pass(folder + L"\\*.*", true, true, entries);
    } else {
        pass(folder + L"\\*.*", true, false, entries);
        pass(folder + L"\\" + mask, false, true, entries);
    }
    return entries;
}

// The order of a sort type spelled out on whole entries.
bool plainBefore(int type, uint32_t group, const FileIndexItem& a, const FileIndexItem& b) {
    const FileEntry &x = *a.entry, &y = *b.entry;
    if (x.isParent() != y.isParent()) return x.isParent();
    const uint32_t gx = x.attributes & group, gy = y.attributes & group;
    if (gx != gy) return gx > gy;
    int r = 0;
    if (type == 1 || type == 2) r = compareNamesFoldingAscii(x.name(), y.name());
    if (type == 3 || type == 4) r = std::wcscmp(extensionOf(x.name()), extensionOf(y.name()));
    if (type == 5 || type == 6) r = x.size < y.size ? -1 : x.size > y.size;
    if (type == 7 || type == 8) r = x.writeTime < y.writeTime ? -1 : x.writeTime > y.writeTime;
    const bool down = type == 2 || type == 3 || type == 4 || type == 6 || type == 8;
    if (r != 0) return down ? r > 0 : r < 0;
    return a.position < b.position;
}

void setWriteTime(const std::wstring& path, uint64_t time) {
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const FILETIME ft = toFileTime(time);
    SetFileTime(file, nullptr, nullptr, &ft);
    CloseHandle(file);
}
}  // namespace

TEST(ListingEquivalence, CompactListingHoldsWhatTheFindRecordsSaid) {
    // Shaped like the benchmark's folders: every tenth entry a folder, four extensions in turn.
    TempFolder root;
    root.makeFolder(L"big");
    const std::wstring big = root / L"big";
    const wchar_t* extensions[] = {L".txt", L".dat", L".log", L".cpp"};
    for (int i = 0; i < 3000; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"e%07d%ls", i, i % 10 == 0 ? L"" : extensions[i % 4]);
        if (i % 10 == 0) root.makeFolder(std::wstring(L"big\\") + name);
        else root.writeFile(std::wstring(L"big\\") + name, std::string(static_cast<size_t>(i % 7), 'x'));
    }
    root.writeFile(L"big\\" + std::wstring(240, L'n') + L".txt", "long name");
    root.writeFile(L"big\\Long File Name.Text", "short name E.TEX matches *.tex");
    SetFileAttributesW((big + L"\\e0000001.dat").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

    for (const wchar_t* mask : {L"", L"*.*", L"*.txt", L"*.TEX", L"e00001??.*", L"nothing"}) {
        SCOPED_TRACE(testing::Message() << "mask \"" << std::string(mask, mask + std::wcslen(mask)) << "\"");
        const std::vector<PlainEntry> plain = plainListing(big, mask);
        FileList list;
        ASSERT_EQ(list.scan(big, mask), static_cast<int>(plain.size()));
        int parents = 0;
        for (size_t i = 0; i < plain.size(); ++i) {
            const FileEntry& e = list.at(static_cast<int>(i));
            const WIN32_FIND_DATAW& d = plain[i].data;
            ASSERT_STREQ(e.name(), d.cFileName) << "at " << i;
            EXPECT_EQ(e.attributes, d.dwFileAttributes);
            EXPECT_EQ(e.size, (uint64_t{d.nFileSizeHigh} << 32) | d.nFileSizeLow);
            EXPECT_EQ(e.writeTime, fileTimeValue(d.ftLastWriteTime));
            EXPECT_EQ(e.creationTime, fileTimeValue(d.ftCreationTime));
            EXPECT_EQ(e.accessTime, fileTimeValue(d.ftLastAccessTime));
            EXPECT_EQ(e.isParent(), plain[i].parent);
            EXPECT_FALSE(e.isMarked());
            parents += plain[i].parent;
        }
        EXPECT_EQ(list.parentCount(), parents);
        EXPECT_EQ(list.fileCount(), list.size() - parents);
    }
    SetFileAttributesW((big + L"\\e0000001.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(ListingEquivalence, KeyedSortOrdersAsTheEntriesCompare) {
    // Names that share their first four or eight letters, differ in case only, sort differently
    // folded up or down ("_" against letters), and run out inside or right after a shared beginning.
    TempFolder root;
    root.makeFolder(L"sub");
    const std::wstring sub = root / L"sub";
    const wchar_t* names[] = {L"abcdZ", L"ABCDa", L"abc", L"Abcd", L"_x", L"Zed", L"a.TXT", L"b.txt", L"README",
                              L"x.tar.gz", L"y.gz", L".profile", L"abcd.e", L"ab", L"z", L"abcdefgh",
                              L"ABCDEFGH.txt", L"abcdefgh_1", L"abcdefghA", L"abcdefg"};
    for (size_t i = 0; i < std::size(names); ++i) {
        root.writeFile(std::wstring(L"sub\\") + names[i], std::string(i % 3 * 10, 'x'));
        setWriteTime(sub + L"\\" + names[i], 132223104000000000ULL + (i % 4) * 864000000000ULL);
    }
    for (const wchar_t* folder : {L"Docs", L"docs2", L"_tmp"}) root.makeFolder(std::wstring(L"sub\\") + folder);

    FileList list;
    list.scan(sub, L"");
    FileIndex index;
    for (int type = 0; type <= 8; ++type) {
        for (uint32_t group : {0u, 0x10u}) {
            SCOPED_TRACE(testing::Message() << "type " << type << " group " << group);
            index.build(list);
            std::vector<FileIndexItem> expected;
            for (int i = 0; i < list.size(); ++i) expected.push_back({&list.at(i), 0, i});
            std::sort(expected.begin(), expected.end(),
                      [&](const FileIndexItem& a, const FileIndexItem& b) { return plainBefore(type, group, a, b); });
            // From listing order and from a shuffled order alike.
            for (int start : {0, 6}) {
                index.sort(start, 0);
                index.sort(type, group);
                ASSERT_EQ(index.count(), static_cast<int>(expected.size()));
                for (int i = 0; i < index.count(); ++i)
                    EXPECT_EQ(index.positionAt(i), expected[static_cast<size_t>(i)].position) << "at " << i;
            }
        }
    }
}

TEST(ListingEquivalence, MarksFollowTheirNamesAcrossARead) {
    TempFolder root;
    for (const wchar_t* name : {L"a", L"b", L"c", L"d", L"e"}) root.writeFile(name, "x");
    FileList old;
    old.scan(root.path(), L"");
    const auto positionOf = [](const FileList& list, const wchar_t* name) {
        for (int i = 0; i < list.size(); ++i)
            if (std::wcscmp(list.at(i).name(), name) == 0) return i;
        return -1;
    };
    for (const wchar_t* name : {L"b", L"d", L"e"}) old.setMark(positionOf(old, name), MarkMode::Mark);
    const MarkedNames marked(old);

    const struct { const wchar_t* change; std::vector<const wchar_t*> markedAfter; } rows[] = {
        {L"nothing", {L"b", L"d", L"e"}},
        {L"d removed", {L"b", L"e"}},                 // the walk in order stops at d: looked up by name
        {L"D created", {L"b", L"e"}},                 // differs in case only: stays unmarked
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << std::string(r.change, r.change + std::wcslen(r.change)));
        if (std::wcscmp(r.change, L"d removed") == 0) DeleteFileW((root / L"d").c_str());
        if (std::wcscmp(r.change, L"D created") == 0) root.writeFile(L"D", "x");
        FileList fresh;
        fresh.scan(root.path(), L"", 2);
        marked.applyTo(fresh);
        EXPECT_EQ(fresh.markedCount(), static_cast<int>(r.markedAfter.size()));
        for (const wchar_t* name : r.markedAfter) {
            const int at = positionOf(fresh, name);
            ASSERT_GE(at, 0);
            EXPECT_TRUE(fresh.at(at).isMarked());
        }
    }
}
