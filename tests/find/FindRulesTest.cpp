#include "find/ContentMatch.h"
#include "find/FindQuery.h"
#include "find/FolderSearch.h"
#include "support/FileLinks.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <set>

namespace {
std::string utf16(const std::wstring& text, bool bigEndian, bool mark) {
    std::string out;
    if (mark) out += bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (wchar_t c : text) {
        out.push_back(static_cast<char>(bigEndian ? c >> 8 : c & 0xFF));
        out.push_back(static_cast<char>(bigEndian ? c & 0xFF : c >> 8));
    }
    return out;
}

std::string narrow(const std::wstring& text, UINT codePage) {
    std::string out(text.size() * 4, '\0');
    out.resize(static_cast<size_t>(WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                                       out.data(), static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

WIN32_FIND_DATAW entry(DWORD attributes, uint64_t size, uint64_t written) {
    WIN32_FIND_DATAW data{};
    data.dwFileAttributes = attributes;
    data.nFileSizeLow = static_cast<DWORD>(size);
    data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data.ftLastWriteTime = {static_cast<DWORD>(written), static_cast<DWORD>(written >> 32)};
    return data;
}
}  // namespace

TEST(FindRules, MasksMatchAsTheListingsMaskAndRefuseAFolder) {
    EXPECT_FALSE(parseMasks(L"sub\\*.txt"));
    EXPECT_FALSE(parseMasks(L"*.txt;a/b"));
    EXPECT_EQ(*parseMasks(L" *.txt ; ;*.md"), (std::vector<std::wstring>{L"*.txt", L"*.md"}));
    EXPECT_TRUE(parseMasks(L"")->empty());
    // The platform's own matcher is the judge of every row.
    const struct { const wchar_t* mask; const wchar_t* name; } rows[] = {
        {L"*.txt", L"a.TXT"}, {L"*.txt", L"a.txt.bak"}, {L"*.*", L"noext"}, {L"*", L".hidden"},
        {L"a?c", L"abc"}, {L"a?c", L"ac"}, {L"*a*b", L"xxaybzb"}, {L"*.", L"noext"}, {L"*.", L"a.b"},
        {L"報告*.doc", L"報告書.DOC"}, {L"ä*", L"Äpfel"}, {L"*.md", L"readme.mdx"}, {L"??", L"abc"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::wstring(row.mask) + L" " + row.name);
        EXPECT_EQ(maskMatches(row.mask, row.name), PathMatchSpecW(row.name, row.mask) != FALSE);
    }
}

TEST(FindRules, LimitsParseAndJudgeEntries) {
    EXPECT_EQ(*parseSizeLimit(L"100K"), std::optional<uint64_t>(102400));
    EXPECT_EQ(*parseSizeLimit(L" 2 MB"), std::optional<uint64_t>(2u << 20));
    EXPECT_EQ(*parseSizeLimit(L""), std::optional<uint64_t>());
    for (const wchar_t* bad : {L"12x", L"-5", L"1.5M", L"K", L"99999999999999999G"}) EXPECT_FALSE(parseSizeLimit(bad)) << bad;
    for (const wchar_t* bad : {L"2026-13-01", L"2026-02-30", L"2026/1", L"yesterday", L"1500-01-01"})
        EXPECT_FALSE(parseDateLimit(bad, false)) << bad;
    const uint64_t day = 24ull * 3600 * 10'000'000;
    const uint64_t from = **parseDateLimit(L"2026-12-09", false), until = **parseDateLimit(L"2026/12/09", true);
    EXPECT_EQ(until - from, day);

    FindQuery query;
    query.limits = {100, 200, from, until};
    const struct { const char* what; WIN32_FIND_DATAW data; bool hidden; bool passes; } rows[] = {
        {"in range", entry(FILE_ATTRIBUTE_ARCHIVE, 150, from), true, true},
        {"too small", entry(FILE_ATTRIBUTE_ARCHIVE, 99, from), true, false},
        {"too big", entry(FILE_ATTRIBUTE_ARCHIVE, 201, from), true, false},
        {"the day after", entry(FILE_ATTRIBUTE_ARCHIVE, 150, until), true, false},
        {"a folder has no size", entry(FILE_ATTRIBUTE_DIRECTORY, 0, from), true, false},
        {"hidden left out", entry(FILE_ATTRIBUTE_HIDDEN, 150, from), false, false},
        {"system left out", entry(FILE_ATTRIBUTE_SYSTEM, 150, from), false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        query.hiddenAndSystem = row.hidden;
        EXPECT_EQ(passesLimits(query, row.data), row.passes);
    }
}

TEST(FindRules, ContentIsFoundInEachEncodingAcrossEveryPieceBoundary) {
    const std::wstring word = L"報告Abc";
    const std::string filler(300, 'x');
    const struct { const char* what; std::string bytes; bool matchCase; bool found; const wchar_t* text = nullptr; } rows[] = {
        {"UTF-8", filler + narrow(word, CP_UTF8) + filler, true, true},
        {"Shift_JIS", filler + narrow(word, 932) + filler, true, true},
        {"UTF-16 LE with mark", utf16(L"ab" + word + L"cd", false, true), true, true},
        {"UTF-16 BE without mark", utf16(L"ab" + word + L"cd", true, false), true, true},
        {"UTF-8 other case, case ignored", filler + narrow(L"報告aBC", CP_UTF8), false, true},
        {"UTF-16 other case, case counts", utf16(L"報告aBC", false, true), true, false},
        {"UTF-16 at an odd offset is no match", "z" + utf16(word, false, false), true, false},
        {"absent", filler + narrow(L"報告Ab", CP_UTF8) + filler, true, false},
        {"one letter, case ignored", filler + "Q" + filler, false, true, L"q"},
        {"one letter, absent", filler, false, false, L"q"},
        {"a word whose forms share their pairs", filler + "abab" + narrow(L"abab", CP_UTF8) + "c", true, true, L"ababc"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const ContentPattern pattern(row.text ? row.text : word, row.matchCase, kFindEveryEncoding);
        // Every split of the file into two pieces, and pieces of one byte.
        for (size_t split = 0; split <= row.bytes.size(); split += (split < 290 ? 29 : 1)) {
            ContentScan scan(pattern);
            const auto* data = reinterpret_cast<const uint8_t*>(row.bytes.data());
            const bool first = scan.feed({data, split});
            const bool second = scan.feed({data + split, row.bytes.size() - split});
            ASSERT_EQ(first || second, row.found) << "split at " << split;
        }
        ContentScan bytewise(pattern);
        bool found = false;
        for (char c : row.bytes) found = bytewise.feed({reinterpret_cast<const uint8_t*>(&c), 1}) || found;
        EXPECT_EQ(found, row.found);
    }
}

TEST(FindRules, ASearchListsWhatMatchesBelowTheFolderNeverThroughALinkAndNamesWhatItCouldNotRead) {
    TempFolder tree, beyond;
    tree.makeFolder(L"sub");
    tree.makeFolder(L"sub\\deep");
    tree.writeFile(L"a.txt", "needle at the top");
    tree.writeFile(L"sub\\b.txt", "no");
    // Across the first boundary of the pieces a file is read in.
    tree.writeFile(L"sub\\deep\\c.TXT", std::string(256 * 1024 - 3, 'y') + "needle");
    // Two whole pieces: the end of the file is known only from a read that gives nothing.
    tree.writeFile(L"sub\\deep\\d.txt", std::string(512 * 1024 - 6, 'y') + "needle");
    tree.writeFile(L"sub\\locked.txt", "needle");
    // A file whose path from the folder searched is over 1,000 characters.
    std::wstring deepest;
    for (int level = 0; level < 5; ++level) tree.makeFolder(deepest += (level ? L"\\" : L"") + std::wstring(200, L'a' + level));
    tree.writeFile(deepest + L"\\far.txt", "needle");
    beyond.writeFile(L"behind.txt", "needle");
    const bool linked = makeLink(tree / L"link", beyond.path());
    // Held with no sharing: the content search cannot open it.
    const HANDLE held = CreateFileW((tree / L"sub\\locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);

    const auto run = [&](const wchar_t* masks, const wchar_t* text, std::wstring folder = {}) {
        FindQuery query;
        query.folder = folder.empty() ? tree.path() : folder;
        query.masks = *parseMasks(masks);
        query.text = text;
        auto search = FolderSearch::start(query, [] {});
        std::set<std::wstring> names;
        while (!search->finished()) Sleep(1);
        FileList found = search->takeFound();
        for (const FileEntry& e : found.entries()) names.insert(e.name());
        return std::pair(names, search->failures());
    };
    const auto [byName, none] = run(L"*.txt", L"");
    EXPECT_EQ(byName, (std::set<std::wstring>{L"a.txt", L"sub\\b.txt", L"sub\\deep\\c.TXT", L"sub\\deep\\d.txt",
                                              L"sub\\locked.txt", deepest + L"\\far.txt"}));
    EXPECT_TRUE(none.empty());
    const auto [everything, none2] = run(L"", L"");
    EXPECT_EQ(everything.contains(L"link"), linked);  // the link itself, once
    EXPECT_FALSE(everything.contains(L"link\\behind.txt"));
    const auto [byContent, failures] = run(L"*.txt", L"needle");
    EXPECT_EQ(byContent, (std::set<std::wstring>{L"a.txt", L"sub\\deep\\c.TXT", L"sub\\deep\\d.txt",
                                                 deepest + L"\\far.txt"}));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].path, tree / L"sub\\locked.txt");
    EXPECT_NE(failureReport(failures).find(L"locked.txt"), std::wstring::npos);
    // A folder gone before the search could list it is named, not passed over as empty.
    const auto [nothing, gone] = run(L"", L"", tree / L"gone");
    EXPECT_TRUE(nothing.empty());
    ASSERT_EQ(gone.size(), 1u);
    EXPECT_TRUE(gone[0].folder);
    CloseHandle(held);
    if (linked) removeLink(tree / L"link");
}
