#include "framework/Application.h"
#include "common/NumberedSection.h"
#include "support/SettingsFixture.h"
#include <gtest/gtest.h>

namespace {
class ProfileApp : public Application {
public:
    bool InitInstance() override { return true; }
};
}  // namespace

TEST(NumberedSection, ReadsWritesAndClearsDKeysOfItsSection) {
    TempFolder dir;
    ProfileApp app;
    app.setProfilePath(dir / L"s.ini");
    writeUtf16Ini(app.profilePath(), L"[Hist0]\r\nD0=C:\\first\r\nD2=C:\\third\r\n[Other]\r\nD0=keep\r\n");

    NumberedSection section;
    EXPECT_EQ(section.section(), L"EntryDir");
    EXPECT_EQ(section.slotCount(), 100);
    section.setSection(L"Hist0", 0);  // a count of 0 keeps the count
    EXPECT_EQ(section.slotCount(), 100);
    section.setSection(L"Hist0", 50);
    EXPECT_EQ(section.slotCount(), 50);

    EXPECT_EQ(section.read(0), L"C:\\first");
    EXPECT_EQ(section.read(1), L"");
    EXPECT_EQ(section.read(2), L"C:\\third");

    section.write(1, L"D:\\フォルダ");
    section.write(2, L"");
    EXPECT_EQ(section.read(1), L"D:\\フォルダ");
    EXPECT_NE(readUtf16File(app.profilePath()).find(L"D2=\r\n"), std::wstring::npos);

    section.clearAll();
    EXPECT_EQ(section.read(0), L"");
    EXPECT_EQ(readUtf16File(app.profilePath()).find(L"[Hist0]"), std::wstring::npos);
    EXPECT_EQ(app.getProfileString(L"Other", L"D0"), L"keep");
}

TEST(NumberedSection, ClearAllRemovesEveryCopyOfTheSectionInAHandMergedFile) {
    TempFolder dir;
    ProfileApp app;
    app.setProfilePath(dir / L"s.ini");
    writeUtf16Ini(app.profilePath(), L"[Macro]\r\nD0=|new\r\n[Other]\r\nD0=keep\r\n[Macro]\r\nD0=|stale\r\nD1=|stale too\r\n"
                                     L"[macro]\r\nD2=|stale in lower case\r\n");
    NumberedSection section;
    section.setSection(L"Macro", 100);
    section.clearAll();
    for (int slot : {0, 1, 2}) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(section.read(slot), L"");
    }
    EXPECT_EQ(readUtf16File(app.profilePath()).find(L"stale"), std::wstring::npos);
    EXPECT_EQ(app.getProfileString(L"Other", L"D0"), L"keep");
}
