#include "common/TextCut.h"
#include "common/VisibleName.h"
#include <gtest/gtest.h>

using namespace std::string_view_literals;

// Failures name the runs rather than their bytes.
void PrintTo(const NameRun& run, std::ostream* os) {
    *os << (run.marker ? "marker " : "text ") << testing::PrintToString(run.text);
}

namespace {
NameRun text(const wchar_t* t) { return {t, false}; }
NameRun marker(const wchar_t* t) { return {t, true}; }
}  // namespace

TEST(VisibleName, HiddenCharactersBecomeMarkersAndEverythingElseStays) {
    const struct { std::wstring_view name; NameRuns runs; } rows[] = {
        {L"report\u202Efdp.exe"sv, {text(L"report"), marker(L"<U+202E>"), text(L"fdp.exe")}},
        // Every bidirectional control.
        {L"\u202A\u202B\u202C\u202D"sv,
         {marker(L"<U+202A>"), marker(L"<U+202B>"), marker(L"<U+202C>"), marker(L"<U+202D>")}},
        {L"\u2066\u2067\u2068\u2069"sv,
         {marker(L"<U+2066>"), marker(L"<U+2067>"), marker(L"<U+2068>"), marker(L"<U+2069>")}},
        {L"a\u200Eb\u200Fc\u061Cd"sv,
         {text(L"a"), marker(L"<U+200E>"), text(L"b"), marker(L"<U+200F>"), text(L"c"), marker(L"<U+061C>"),
          text(L"d")}},
        // Zero-width characters.
        {L"\u200B\u200C\u200Dx\u2060\uFEFF"sv,
         {marker(L"<U+200B>"), marker(L"<U+200C>"), marker(L"<U+200D>"), text(L"x"), marker(L"<U+2060>"),
          marker(L"<U+FEFF>")}},
        // C0 and C1 controls, a NUL among them, at both ends of a name.
        {L"\ta\0b\x1F"sv, {marker(L"<U+0009>"), text(L"a"), marker(L"<U+0000>"), text(L"b"), marker(L"<U+001F>")}},
        {L"\x7F\x80\x9F"sv, {marker(L"<U+007F>"), marker(L"<U+0080>"), marker(L"<U+009F>")}},
        // The neighbours of each range are ordinary characters.
        {L" \u00A0\u061B\u061D\u200A\u2010\u202F\u2065\u206A\uFEFE\uFF01"sv,
         {text(L" \u00A0\u061B\u061D\u200A\u2010\u202F\u2065\u206A\uFEFE\uFF01")}},
        // A surrogate pair is one character; a lone half of one cannot be drawn and is marked.
        {L"\xD83D\xDCC1 docs"sv, {text(L"\xD83D\xDCC1 docs")}},
        {L"a\xD800"sv, {text(L"a"), marker(L"<U+D800>")}},
        {L"\xDC01\xD83Dz"sv, {marker(L"<U+DC01>"), marker(L"<U+D83D>"), text(L"z")}},
        // Japanese text with its voicing mark stays as it is.
        {L"か\u3099きくけこ.txt"sv, {text(L"か\u3099きくけこ.txt")}},
        {L""sv, {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << (&r - rows));
        EXPECT_EQ(visibleNameRuns(r.name), r.runs);
        EXPECT_EQ(visibleName(r.name), joinedText(r.runs));
    }
}

TEST(ClusterCut, NeverSplitsASurrogatePairOrACombiningSequence) {
    const struct { std::wstring_view text; size_t limit; size_t cut; } rows[] = {
        {L"abc"sv, 2, 2}, {L"abc"sv, 9, 3}, {L""sv, 3, 0}, {L"abc"sv, 0, 0},
        // A surrogate pair stays whole.
        {L"a\xD83D\xDCC1z"sv, 1, 1}, {L"a\xD83D\xDCC1z"sv, 2, 1}, {L"a\xD83D\xDCC1z"sv, 3, 3},
        // Combining accents, one or several, stay with their letter.
        {L"e\u0301x"sv, 1, 0}, {L"e\u0301x"sv, 2, 2}, {L"ae\u0301\u0302x"sv, 3, 1}, {L"ae\u0301\u0302x"sv, 4, 4},
        {L"a\u20DDb"sv, 1, 0}, {L"ab\u1DC0"sv, 2, 1},
        // Kana voicing marks.
        {L"か\u3099き"sv, 1, 0}, {L"か\u309Aき"sv, 2, 2},
        // Variation selectors, also the supplementary ones written as a pair, and skin tones.
        {L"\u2764\uFE0Fx"sv, 1, 0}, {L"\u845B\U000E0100x"sv, 1, 0}, {L"\u845B\U000E0100x"sv, 2, 0},
        {L"\u845B\U000E0100x"sv, 3, 3}, {L"\U0001F44D\U0001F3FD!"sv, 3, 0}, {L"\U0001F44D\U0001F3FD!"sv, 4, 4},
        // A lone half of a pair is a character of its own.
        {L"a\xDC00z"sv, 1, 1}, {L"a\xD800z"sv, 2, 2},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << (&r - rows));
        EXPECT_EQ(clusterCut(r.text, r.limit), r.cut);
    }
}

TEST(VisibleName, CutRunsKeepMarkersWholeAndDropEmptyRuns) {
    const NameRuns disguised = visibleNameRuns(L"report\u202Efdp.exe");
    const struct { NameRuns runs; size_t limit; NameRuns cut; } rows[] = {
        {disguised, 99, disguised},
        {disguised, 6, {text(L"report")}},
        {disguised, 13, {text(L"report")}},
        {disguised, 14, {text(L"report"), marker(L"<U+202E>")}},
        {disguised, 15, {text(L"report"), marker(L"<U+202E>"), text(L"f")}},
        {disguised, 3, {text(L"rep")}},
        {disguised, 0, {}},
        {{text(L"e\u0301")}, 1, {}},
        {{text(L"ab"), text(L"\xD83D\xDCC1")}, 3, {text(L"ab")}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << (&r - rows));
        EXPECT_EQ(cutRuns(r.runs, r.limit), r.cut);
    }
}
