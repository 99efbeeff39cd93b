#include "pane/LinkedFontText.h"
#include <gtest/gtest.h>

TEST(FontLinking, AnEntryNamesItsFaceAfterTheFile) {
    const struct {
        const wchar_t* entry;
        const wchar_t* face;
    } rows[] = {
        {L"DejaVuSans.ttf,DejaVu Sans", L"DejaVu Sans"},
        {L"MSGOTHIC.TTC,MS UI Gothic,128,96", L"MS UI Gothic"},
        {L"x.ttf, Spaced Face ,100", L"Spaced Face"},
        {L"SEGUISYM.TTF", L""},
        {L"SEGUISYM.TTF,", L""},
        {L"", L""},
    };
    for (const auto& row : rows) EXPECT_EQ(linkedFaceOf(row.entry), row.face) << row.entry;
}

// The project's Wine prefix links DejaVu Sans (which has emoji outlines) to the list font; the
// list font itself has the rare kanji U+20BB7.
TEST(LinkedFontText, ACharacterOutsideTheBasicPlaneIsOneCharacterInTheFirstFontThatHasIt) {
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONTW logFont{};
    logFont.lfHeight = -16;
    logFont.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(logFont.lfFaceName, L"ＭＳ ゴシック");
    HFONT font = CreateFontIndirectW(&logFont);
    HGDIOBJ old = SelectObject(dc, font);
    {
        LinkedFontText text(dc, logFont);
        const std::wstring emoji = L"\U0001F600", kanji = L"\U00020BB7";
        EXPECT_EQ(text.faceFor(emoji), L"DejaVu Sans");
        EXPECT_EQ(text.faceFor(kanji), L"ＭＳ ゴシック");
        EXPECT_EQ(text.faceFor(L"a"), L"ＭＳ ゴシック");

        // Measured as one character each: a pair never counts as two missing-character boxes,
        // and a cut falls before or after the pair, never inside it.
        const int ab = text.width(L"ab"), wide = text.width(emoji);
        EXPECT_GT(wide, 0);
        EXPECT_EQ(text.width(L"ab" + emoji + L"cd"), ab + wide + text.width(L"cd"));
        EXPECT_EQ(text.width(kanji + kanji), 2 * text.width(kanji));
        const std::wstring name = L"ab" + emoji + L"cd";
        EXPECT_EQ(text.fit(name, ab + wide - 1), 2u);
        EXPECT_EQ(text.fit(name, ab + wide), 4u);
        EXPECT_EQ(text.fit(name, 100000), name.size());
    }
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
}
