#include "app/AboutDialog.h"
#include "support/UiDriver.h"
#include "resource.h"
#include <gtest/gtest.h>

TEST(AboutDialog, ShowsTheBuildDateAndTimeInTheCompilerForm) {
    const std::wstring text = AboutDialog::buildText();
    // "Built: Mmm dd yyyy hh:mm:ss by UNICODE." with the compiler's date and time.
    const std::wstring date = text.substr(7, 11), time = text.substr(19, 8);
    EXPECT_TRUE(text.starts_with(L"Built: ") && text.ends_with(L" by UNICODE.")) << text.size();
    EXPECT_EQ(text.size(), 7u + 11u + 1u + 8u + 12u);
    EXPECT_TRUE(date[3] == L' ' && date[6] == L' ' && time[2] == L':' && time[5] == L':');

    std::wstring shown;
    DialogAction read(L"Vantorのﾊﾞｰｼﾞｮﾝ情報", [&](HWND dialog) {
        shown = windowText(GetDlgItem(dialog, IDC_ABOUT_BUILT));
        clickButton(dialog, IDOK);
    });
    AboutDialog about;
    EXPECT_EQ(about.doModal(nullptr), IDOK);
    ASSERT_TRUE(read.finish());
    EXPECT_EQ(shown, text);
}
