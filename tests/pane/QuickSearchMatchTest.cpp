#include "listing/FileIndex.h"
#include "listing/FileList.h"
#include "pane/QuickSearchMatch.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>

TEST(QuickSearchMatch, NamesStartingWithTheTextMatchWhateverTheirCaseAndWidth) {
    const struct { const wchar_t* name; const wchar_t* typed; bool matches; } rows[] = {
        {L"Readme.txt", L"read", true},       {L"readme.txt", L"READ", true},
        {L"ＡＢＣ.txt", L"abc", true},         {L"abc.txt", L"ＡＢＣ", true},
        {L"ｶﾞｲﾄﾞ.md", L"ガイド", true},       {L"ガイド.md", L"ｶﾞｲﾄﾞ", true},
        {L"データ", L"ﾃﾞｰﾀ", true},           {L"ガイド", L"ｶ", true},  // the voiced kana starts with its plain one
        {L"ÄRGER.txt", L"är", true},           {L"がいど", L"ガイド", false},  // hiragana is not katakana
        {L"readme", L"rx", false},             {L"a", L"ab", false},
        {L"x readme", L"readme", false},       {L"ｶ", L"ガ", false},
        {L"１２３", L"12", true},              {L"e0099999.txt", L"e0099999", true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(&r - rows));
        EXPECT_EQ(QuickSearchText(r.typed).isPrefixOf(r.name), r.matches);
    }
}

TEST(QuickSearchMatch, SearchGoesRoundTheListingInDisplayOrderAndSkipsTheParent) {
    TempFolder root;
    root.makeFolder(L"sub");
    for (const wchar_t* name : {L"alpha", L"Beta", L"ＢＥＴＡ２", L"beta3", L"gamma", L"zeta"})
        root.writeFile(std::wstring(L"sub\\") + name);
    FileList list;
    list.scan(root / L"sub", L"");
    FileIndex index;
    index.build(list);
    index.sort(1, 0);  // by name: "..", alpha, Beta, beta3, gamma, zeta, ＢＥＴＡ２
    const auto at = [&](const wchar_t* name) { return index.findName(name, 0); };
    ASSERT_EQ(index.count(), 7);

    const struct { const wchar_t* typed; const wchar_t* from; SearchStep step; const wchar_t* lands; } rows[] = {
        {L"b", L"..", SearchStep::Here, L"Beta"},
        {L"be", L"Beta", SearchStep::Here, L"Beta"},          // the cursor entry still matching stays
        {L"b", L"Beta", SearchStep::Next, L"beta3"},
        {L"b", L"beta3", SearchStep::Next, L"ＢＥＴＡ２"},    // full-width, last in the order
        {L"b", L"ＢＥＴＡ２", SearchStep::Next, L"Beta"},     // round from the end to the start
        {L"b", L"Beta", SearchStep::Previous, L"ＢＥＴＡ２"}, // and back from the start to the end
        {L"b", L"gamma", SearchStep::Here, L"ＢＥＴＡ２"},
        {L"z", L"zeta", SearchStep::Next, L"zeta"},           // the only match is found again
        {L".", L"alpha", SearchStep::Here, nullptr},          // ".." is no name to find
        {L"q", L"alpha", SearchStep::Here, nullptr},
        {L"", L"alpha", SearchStep::Here, nullptr},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(&r - rows));
        const int found = quickSearchPosition(index, QuickSearchText(r.typed), at(r.from), r.step);
        EXPECT_EQ(found, r.lands ? at(r.lands) : -1);
    }
}
