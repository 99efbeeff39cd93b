#include "pane/ListFont.h"
#include "framework/Application.h"
#include "support/SettingsFixture.h"
#include "support/UiDriver.h"
#include <gtest/gtest.h>
#include <cstdlib>

namespace {
class ProfileApp : public Application {
public:
    bool InitInstance() override { return true; }
};

// The system font dialog's title in a Japanese or an English setting.
const wchar_t kFontDialog[] = L"フォントの指定|フォント|Font";

class ListFontTest : public testing::Test {
protected:
    void SetUp() override { app.setProfilePath(dir / L"Vantor.ini"); }
    TempFolder dir;
    ProfileApp app;
};
}  // namespace

TEST_F(ListFontTest, MissingSectionGivesTheDefaultFont) {
    writeUtf16Ini(app.profilePath(), L"[Other]\r\nx=1\r\n");
    ListFont font;
    font.load();
    EXPECT_STREQ(font.logFont().lfFaceName, L"ＭＳ ゴシック");
    EXPECT_EQ(font.logFont().lfHeight, 12);
    EXPECT_EQ(font.logFont().lfWeight, 0);
    EXPECT_EQ(font.logFont().lfItalic, 0);
    EXPECT_EQ(font.logFont().lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(font.styleName(), L"標準");
    EXPECT_GT(font.lineHeight(), 0);
    EXPECT_GT(font.averageCharWidth(), 0);
}

TEST_F(ListFontTest, SaveKeepsOnlyFiveKeysSoOtherFieldsComeBackAsDefaults) {
    writeUtf16Ini(app.profilePath(), L"[Font]\r\nStale=1\r\n");
    ListFont font;
    LOGFONTW chosen = font.logFont();
    chosen.lfHeight = -16;
    chosen.lfWeight = 700;
    chosen.lfItalic = 1;
    chosen.lfUnderline = 1;
    chosen.lfCharSet = SHIFTJIS_CHARSET;
    chosen.lfPitchAndFamily = FIXED_PITCH;
    font.set(chosen, L"太字 斜体");
    font.save();
    EXPECT_EQ(app.getProfileString(L"Font", L"Stale", L"gone"), L"gone");
    const std::wstring text = readUtf16File(app.profilePath());
    EXPECT_NE(text.find(L"Height=-16\r\nWeight=700\r\nItalic=1\r\nFaceName=ＭＳ ゴシック\r\nStyleName=太字 斜体"),
              std::wstring::npos);

    ListFont restarted;
    restarted.load();
    EXPECT_EQ(restarted.logFont().lfHeight, -16);
    EXPECT_EQ(restarted.logFont().lfWeight, 700);
    EXPECT_EQ(restarted.logFont().lfItalic, 1);
    EXPECT_EQ(restarted.logFont().lfUnderline, 0);
    EXPECT_EQ(restarted.logFont().lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(restarted.logFont().lfPitchAndFamily, 0);
    EXPECT_EQ(restarted.styleName(), L"太字 斜体");
}

TEST_F(ListFontTest, OverlongNamesAreCutToTheirFields) {
    writeUtf16Ini(app.profilePath(), L"[Font]\r\nFaceName=" + std::wstring(200, L'F') + L"\r\nStyleName=" +
                                         std::wstring(200, L'S') + L"\r\n");
    ListFont font;
    font.load();
    EXPECT_EQ(std::wstring(font.logFont().lfFaceName), std::wstring(31, L'F'));
    EXPECT_EQ(font.styleName(), std::wstring(19, L'S'));
}

TEST_F(ListFontTest, CancelledDialogLeavesFileAndFontAloneAcceptedOneIsSaved) {
    writeUtf16Ini(app.profilePath(), L"[Font]\r\nHeight=-13\r\n");
    ListFont font;
    font.load();
    const std::string before = readFileBytes(app.profilePath());
    {
        DialogAction cancel(kFontDialog, [](HWND dialog) { clickButton(dialog, IDCANCEL); });
        EXPECT_FALSE(font.choose(nullptr));
        ASSERT_TRUE(cancel.finish());
    }
    EXPECT_EQ(readFileBytes(app.profilePath()), before);
    EXPECT_EQ(font.logFont().lfHeight, -13);

    DialogAction accept(kFontDialog, [](HWND dialog) { clickButton(dialog, IDOK); });
    EXPECT_TRUE(font.choose(nullptr));
    ASSERT_TRUE(accept.finish());
    EXPECT_EQ(font.logFont().lfUnderline, 0);
    EXPECT_EQ(font.logFont().lfStrikeOut, 0);
    EXPECT_NE(readUtf16File(app.profilePath()).find(L"FaceName="), std::wstring::npos);
}

TEST_F(ListFontTest, HeightsBeyondAReadableSizeAreBroughtBackOnLoad) {
    const struct { const wchar_t* stored; LONG height; } rows[] = {
        {L"-13", -13}, {L"12", 12},   {L"100000", 144}, {L"-2147483648", -144}, {L"2147483647", 144},
        {L"-2", -6},   {L"3", 6},     {L"0", 12},       {L"-144", -144},        {L"x", 12},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.stored);
        writeUtf16Ini(app.profilePath(), std::wstring(L"[Font]\r\nHeight=") + r.stored + L"\r\n");
        ListFont font;
        font.load();
        EXPECT_EQ(font.logFont().lfHeight, r.height);
        EXPECT_GT(font.lineHeight(), 0);
        EXPECT_LT(font.lineHeight(), 400);
    }
}

// The font dialog gives heights at the window's scale and "Height" keeps them at 96 dots per inch:
// every height chosen must come back after a restart at that scale. Lists as "chosen>drawn" the
// heights that came back otherwise.
TEST_F(ListFontTest, EveryHeightChosenAtAScaleComesBackAfterARestart) {
    for (const UINT dpi : {96u, 120u, 144u, 168u, 192u}) {
        SCOPED_TRACE(dpi);
        std::wstring differing;
        for (int height = -100; height <= 100; ++height) {
            // Below the readable size at 96 dots per inch a height is raised on load, as it always was.
            if (std::abs(height) * 96 < kMinimumFontSize * static_cast<int>(dpi)) continue;
            const int drawn = fontHeightAt(readStoredFontHeight(storedFontHeightText(storedFontHeight(height, dpi))), dpi);
            if (drawn != height) differing += L" " + std::to_wstring(height) + L">" + std::to_wstring(drawn);
        }
        EXPECT_EQ(differing, L"");
    }
    // Through the settings file, a height that came back a pixel taller before.
    ListFont chosen;
    chosen.setDpi(120);
    LOGFONTW font = chosen.logFont();
    font.lfHeight = -17;
    chosen.set(font, L"標準");
    chosen.save();
    ListFont restarted;
    restarted.load();
    restarted.setDpi(120);
    EXPECT_EQ(restarted.logFont().lfHeight, -17);
}
