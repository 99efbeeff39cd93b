#include "app/AboutDialog.h"
#include "support/UiDriver.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <regex>

TEST(AboutDialog, ShowsTheBuildDateAndTimeInTheCompilerForm) {
    const std::wstring text = AboutDialog::buildText();
    EXPECT_TRUE(std::regex_match(text, std::wregex(LR"(Built: [A-Z][a-z]{2} [ 0-9]\d \d{4} \d\d:\d\d:\d\d by UNICODE\.)")))
        << std::string(text.begin(), text.end());

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
