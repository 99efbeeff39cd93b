#include "common/SettingsFile.h"
#include "framework/Application.h"
#include "support/SettingsFixture.h"
#include <gtest/gtest.h>

namespace {
SettingsFile loadFrom(const std::wstring& path) {
    SettingsFile s;
    s.path = path;
    s.load();
    return s;
}

class ProfileApp : public Application {
public:
    bool InitInstance() override { return true; }
};
}  // namespace

TEST(SettingsPath, ReplacesExactlyTheLastThreeCharacters) {
    EXPECT_EQ(settingsPathFor(L"C:\\tools\\Vantor.exe"), L"C:\\tools\\Vantor.ini");
    EXPECT_EQ(settingsPathFor(L"C:\\tools\\Vantor.EXE"), L"C:\\tools\\Vantor.ini");
    EXPECT_EQ(settingsPathFor(L"C:\\tools\\Vantor.bin2"), L"C:\\tools\\Vantor.bini");
    EXPECT_EQ(settingsPathFor(L"C:\\tools\\Vantor"), L"C:\\tools\\Vanini");
}

TEST(SettingsFileCreation, FirstStartWritesOnlyTheByteOrderMarkLaterStartsTouchNothing) {
    TempFolder dir;
    const std::wstring path = dir / L"Vantor.ini";
    createSettingsFileIfMissing(path);
    EXPECT_EQ(readFileBytes(path), std::string("\xFF\xFE"));

    writeUtf16Ini(path, L"[Disp]\r\nFileSizeCols=7\r\n");
    const std::string before = readFileBytes(path);
    createSettingsFileIfMissing(path);
    EXPECT_EQ(readFileBytes(path), before);
}

TEST(SettingsFileLoad, MissingFileGivesEveryDefault) {
    TempFolder dir;
    const SettingsFile s = loadFrom(dir / L"none.ini");
    EXPECT_FALSE(s.placementValid);
    EXPECT_EQ(s.windowLeft, -1);
    EXPECT_EQ(s.paneWidthL, 1);
    EXPECT_EQ(s.paneWidthR, 1);
    EXPECT_EQ(s.paneGap, 0);
    EXPECT_EQ(s.backColor, 0xC0C0C0u);
    EXPECT_EQ(s.dirColor, 0x00C000u);
    EXPECT_EQ(s.hideColor, 0x0000C0u);
    EXPECT_EQ(s.readOnlyColor, 0xC00000u);
    EXPECT_EQ(s.systemColor, 0x800080u);
    EXPECT_EQ(s.normalColor, 0u);
    EXPECT_EQ(s.timeFormat, L"%y/%m/%d %H:%M");
    EXPECT_EQ(s.fileSizeCols, 5);
    EXPECT_EQ(s.fileAttributes, 1);
    EXPECT_EQ(s.viewerMacro, L"notepad $C");
    EXPECT_EQ(s.editorMacro, L"notepad $C");
    EXPECT_EQ(s.viewerDir, L"");
    EXPECT_EQ(s.editorDir, L"");
    EXPECT_FALSE(fileExists(dir / L"none.ini"));
}

TEST(SettingsFileLoad, ColourAcceptsOnlyBareHexDigitsCutToNineCharacters) {
    const struct { const wchar_t* value; uint32_t expected; } rows[] = {
        {L"c0c0c0", 0xC0C0C0}, {L"C0C0C0", 0xC0C0C0}, {L"000c0c0c0", 0xC0C0C0},
        {L"ff", 0xFF}, {L"0", 0},
        {L"0xc0c0c0", 0x123456}, {L"#c0c0c0", 0x123456}, {L"-c0c0c0", 0x123456},
        {L"c0 c0c0", 0x123456}, {L"g", 0x123456},
        // Ten or more characters: only the first nine are read.
        {L"000c0c0c0zzz", 0xC0C0C0}, {L"0000000001", 0},
        // More than eight digits keep the low 32 bits.
        {L"123456789", 0x23456789},
    };
    TempFolder dir;
    const std::wstring path = dir / L"s.ini";
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "value index " << (&r - rows));
        writeUtf16Ini(path, std::wstring(L"[Color]\r\nBack=") + r.value + L"\r\n");
        SettingsFile s;
        s.path = path;
        EXPECT_EQ(s.readHex(L"Color", L"Back", 0x123456), r.expected);
    }
    // The value a colour left empty falls back to the default too.
    writeUtf16Ini(path, L"[Color]\r\nBack=\r\n");
    EXPECT_EQ(loadFrom(path).backColor, 0xC0C0C0u);
}

TEST(SettingsFileLoad, PlacementIsValidWithAllFourEdgesPresentNegativeOnesToo) {
    TempFolder dir;
    const std::wstring path = dir / L"s.ini";
    writeUtf16Ini(path, L"[Window]\r\nleft=10\r\ntop=20\r\nright=810\r\nbottom=620\r\nPaneWidthL=300\r\n"
                        L"PaneWidthR=100\r\nPaneGap=20\r\n");
    SettingsFile s = loadFrom(path);
    EXPECT_TRUE(s.placementValid);
    EXPECT_EQ(s.windowRight, 810);
    EXPECT_EQ(s.paneWidthL, 300);
    EXPECT_EQ(s.paneWidthR, 100);
    EXPECT_EQ(s.paneGap, 20);

    // A window partly off the left edge, or on a monitor left of the main one, is a real place.
    writeUtf16Ini(path, L"[Window]\r\nleft=-1\r\ntop=20\r\nright=810\r\nbottom=620\r\n");
    EXPECT_TRUE(loadFrom(path).placementValid);
    EXPECT_EQ(loadFrom(path).windowLeft, -1);
    writeUtf16Ini(path, L"[Window]\r\nleft=0\r\ntop=0\r\nright=810\r\n");
    EXPECT_FALSE(loadFrom(path).placementValid);
    writeUtf16Ini(path, L"[Window]\r\nleft=0\r\ntop=0\r\nright=810\r\nbottom=\r\n");
    EXPECT_FALSE(loadFrom(path).placementValid);
}

TEST(SettingsFileLoad, EmptyTimeFormatHidesTheDateMissingKeyGivesTheDefault) {
    TempFolder dir;
    const std::wstring path = dir / L"s.ini";
    writeUtf16Ini(path, L"[Disp]\r\nTimeFormat=\r\nFileSizeCols=10\r\n");
    SettingsFile s = loadFrom(path);
    EXPECT_EQ(s.timeFormat, L"");
    EXPECT_EQ(s.fileSizeCols, 10);

    writeUtf16Ini(path, L"[Disp]\r\nFileAttributes=0\r\n");
    s = loadFrom(path);
    EXPECT_EQ(s.timeFormat, L"%y/%m/%d %H:%M");
    EXPECT_EQ(s.fileAttributes, 0);
}

TEST(SettingsFileRead, IntegerBoundsStringCapacityAndOddNumbers) {
    TempFolder dir;
    const std::wstring path = dir / L"s.ini";
    const std::wstring longValue(5000, L'x');
    writeUtf16Ini(path, L"[T]\r\nneg=-42\r\nhuge=99999999999999\r\nhex=0x1f\r\njunk=12abc\r\nnone=abc\r\nlong=" +
                            longValue + L"\r\n");
    SettingsFile s;
    s.path = path;
    EXPECT_EQ(s.readInt(L"T", L"neg", 7), -42);
    EXPECT_EQ(s.readInt(L"T", L"neg", 7, 0, 100), 7);
    EXPECT_EQ(s.readInt(L"T", L"hex", 7), 0x1f);
    EXPECT_EQ(s.readInt(L"T", L"junk", 7), 12);
    EXPECT_EQ(s.readInt(L"T", L"none", 7), 0);
    EXPECT_EQ(s.readInt(L"T", L"missing", 7), 7);
    s.readInt(L"T", L"huge", 7);  // whatever the platform makes of it, no crash

    EXPECT_EQ(s.readString(L"T", L"long", L"", 1024), std::wstring(1023, L'x'));
    EXPECT_EQ(s.readString(L"T", L"long", L"", 10), std::wstring(9, L'x'));
    EXPECT_EQ(s.readString(L"T", L"missing", L"default", 1024), L"default");
}

TEST(SettingsFileWrite, NumbersColoursAndTextRoundTripInUtf16) {
    TempFolder dir;
    const std::wstring path = dir / L"s.ini";
    createSettingsFileIfMissing(path);
    SettingsFile s;
    s.path = path;
    s.writeInt(L"Window", L"left", -8);
    s.writeHex(L"Color", L"Back", 0xC0C0C0);
    s.writeString(L"Exec", L"EditorMacro", L"メモ帳 $C");

    const std::wstring text = readUtf16File(path);
    EXPECT_NE(text.find(L"left=-8"), std::wstring::npos);
    EXPECT_NE(text.find(L"Back=c0c0c0"), std::wstring::npos);
    EXPECT_NE(text.find(L"EditorMacro=メモ帳 $C"), std::wstring::npos);
    EXPECT_EQ(readFileBytes(path).substr(0, 2), std::string("\xFF\xFE"));

    const SettingsFile back = [&] { SettingsFile r; r.path = path; r.load(); return r; }();
    EXPECT_EQ(back.windowLeft, -8);
    EXPECT_EQ(back.backColor, 0xC0C0C0u);
    EXPECT_EQ(back.editorMacro, L"メモ帳 $C");
}

TEST(SettingsFileLoad, FilesThatAreNotUtf16GiveDefaultsOrTheirReadableValues) {
    TempFolder dir;
    // UTF-8 with plain ASCII keys: readable as a narrow INI file.
    dir.writeFile(L"utf8.ini", "[Disp]\r\nFileSizeCols=9\r\nTimeFormat=%H:%M \xE6\x97\xA5\r\n");
    SettingsFile s = loadFrom(dir / L"utf8.ini");
    EXPECT_EQ(s.fileSizeCols, 9);
    EXPECT_EQ(s.backColor, 0xC0C0C0u);

    // Random bytes: no crash, values are defaults unless the noise happens to spell a key.
    std::string noise;
    unsigned seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise.push_back(static_cast<char>(seed >> 16));
    }
    dir.writeFile(L"noise.ini", noise);
    s = loadFrom(dir / L"noise.ini");
    EXPECT_EQ(s.viewerMacro, L"notepad $C");
    EXPECT_EQ(s.paneWidthL, 1);
}

TEST(SettingsFileLoad, FoldersAndProfileValuesComeBackWholeHoweverLong) {
    TempFolder dir;
    const std::wstring path = dir / L"Vantor.ini";
    ProfileApp app;
    app.setProfilePath(path);
    for (const size_t length : {1023u, 1024u, 4095u, 4096u, 5000u, 32767u}) {
        SCOPED_TRACE(length);
        const std::wstring folder = L"C:\\" + std::wstring(length - 3, L'x');
        writeUtf16Ini(path, L"[Exec]\r\nViewerDir=" + folder + L"\r\n[Hist0]\r\nD0=" + folder + L"\r\n");
        EXPECT_EQ(loadFrom(path).viewerDir, folder);
        EXPECT_EQ(app.getProfileString(L"Hist0", L"D0"), folder);
    }
}
