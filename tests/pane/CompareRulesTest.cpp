#include "pane/CompareRules.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace {
constexpr uint64_t kSecond = 10000000;
constexpr uint64_t kBase = 133000000000000000ull;  // a time in 2022, on a whole second

// One entry as a listing would hold it: "d" folder, "l" folder link, else a file.
struct Item {
    const wchar_t* name;
    uint64_t size;
    int64_t tenthsAfterBase;
    char kind = 'f';
};

std::vector<FileEntry> entriesOf(const std::vector<Item>& items) {
    std::vector<FileEntry> out;
    for (const Item& i : items) {
        FileEntry e{};
        e.nameText = i.name;
        e.size = i.size;
        e.writeTime = kBase + static_cast<uint64_t>(i.tenthsAfterBase) * (kSecond / 10);
        e.attributes = i.kind == 'f' ? FILE_ATTRIBUTE_ARCHIVE : FILE_ATTRIBUTE_DIRECTORY;
        if (i.kind == 'l') {
            e.attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
            e.flags |= FileEntry::kLink;
        }
        if (std::wstring(i.name) == L"..") e.flags |= FileEntry::kParent;
        out.push_back(e);
    }
    return out;
}

std::wstring namesAt(const std::vector<FileEntry>& entries, std::vector<int> positions) {
    std::sort(positions.begin(), positions.end());
    std::wstring text;
    for (int p : positions) text += std::wstring(text.empty() ? L"" : L",") + entries[static_cast<size_t>(p)].name();
    return text;
}
}  // namespace

TEST(CompareRules, EachRuleMarksWhatDiffersOnBothSides) {
    using By = CompareBy;
    const struct Row {
        const char* what;
        std::vector<Item> left, right;
        CompareOptions options;
        const wchar_t* markedLeft;
        const wchar_t* markedRight;
        const wchar_t* byBytes;  // left names of the pairs whose bytes decide
        const wchar_t* inside;   // left names of the folder pairs to compare inside
    } rows[] = {
        {"one side only, files and folders", {{L"a.txt", 1, 0}, {L"only", 0, 0, 'd'}}, {{L"b.txt", 1, 0}}, {},
         L"a.txt,only", L"b.txt", L"", L""},
        {"the newer file is marked, on its side", {{L"x", 1, 20}, {L"y", 1, 0}}, {{L"x", 1, 0}, {L"y", 1, 20}}, {},
         L"x", L"y", L"", L""},
        {"same second, other size: both", {{L"x", 1, 3}}, {{L"x", 2, 7}}, {}, L"x", L"x", L"", L""},
        {"same time and size: nothing (a tie)", {{L"x", 5, 0}}, {{L"x", 5, 0}}, {}, L"", L"", L"", L""},
        {"newer but smaller is still the newer", {{L"x", 1, 10}}, {{L"x", 9, 0}}, {}, L"x", L"", L"", L""},
        {"names match whatever their case", {{L"README.TXT", 1, 0}, {L"Ärger", 1, 0}}, {{L"readme.txt", 1, 0}, {L"äRGER", 1, 0}},
         {}, L"", L"", L"", L""},
        {"FAT: 2 seconds apart is the same time", {{L"x", 1, 20}, {L"y", 1, 21}}, {{L"x", 1, 0}, {L"y", 1, 0}},
         {By::TimeAndSize, false, true}, L"y", L"", L"", L""},
        {"without FAT 2 seconds apart is newer", {{L"x", 1, 20}}, {{L"x", 1, 0}}, {By::TimeAndSize, false, false},
         L"x", L"", L"", L""},
        {"size only: times do not count", {{L"x", 1, 50}, {L"y", 1, 0}}, {{L"x", 1, 0}, {L"y", 2, 0}}, {By::SizeOnly},
         L"y", L"y", L"", L""},
        {"by content: equal sizes go to their bytes", {{L"x", 3, 50}, {L"y", 1, 0}}, {{L"x", 3, 0}, {L"y", 2, 0}},
         {By::Content}, L"y", L"y", L"x", L""},
        {"a file and a folder of one name: both", {{L"n", 1, 0}}, {{L"N", 0, 0, 'd'}}, {}, L"n", L"N", L"", L""},
        {"folders on both sides: unmarked, inside only when asked", {{L"d", 0, 0, 'd'}, {L"e", 0, 0, 'd'}},
         {{L"D", 0, 99, 'd'}, {L"e", 0, 0, 'd'}}, {By::TimeAndSize, true}, L"", L"", L"", L"d,e"},
        {"a link is never compared inside", {{L"d", 0, 0, 'l'}, {L"e", 0, 0, 'd'}}, {{L"d", 0, 0, 'd'}, {L"e", 0, 0, 'l'}},
         {By::TimeAndSize, true}, L"", L"", L"", L""},
        {"a link on one side only is marked", {{L"link", 0, 0, 'l'}}, {}, {}, L"link", L"", L"", L""},
        {"the parent entry takes no part", {{L"..", 0, 0, 'd'}, {L"x", 1, 0}}, {{L"x", 1, 0}}, {}, L"", L"", L"", L""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const std::vector<FileEntry> left = entriesOf(r.left), right = entriesOf(r.right);
        const ListingDifference d = compareListings(left, right, r.options);
        EXPECT_EQ(namesAt(left, d.left), r.markedLeft);
        EXPECT_EQ(namesAt(right, d.right), r.markedRight);
        std::vector<int> bytes, inside;
        for (const EntryPair& p : d.sameSizeFiles) bytes.push_back(p.left);
        for (const EntryPair& p : d.folders) inside.push_back(p.left);
        EXPECT_EQ(namesAt(left, bytes), r.byBytes);
        EXPECT_EQ(namesAt(left, inside), r.inside);
    }
}
