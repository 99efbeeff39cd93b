#include "common/InputDialog.h"
#include "support/UiDriver.h"
#include "resource.h"
#include <gtest/gtest.h>

TEST(InputDialog, TitleAndInitialTextInTypedTextOutOnOk) {
    std::wstring shown;
    DialogAction type(L"名前の変更", [&](HWND dialog) {
        shown = windowText(GetDlgItem(dialog, IDC_INPUT_EDIT));
        SendMessageW(GetDlgItem(dialog, IDC_INPUT_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"新しい名前.txt"));
        clickButton(dialog, IDOK);
    });
    InputDialog input;
    input.title = L"名前の変更";
    input.text = L"old.txt";
    EXPECT_EQ(input.doModal(nullptr), IDOK);
    ASSERT_TRUE(type.finish());
    EXPECT_EQ(shown, L"old.txt");
    EXPECT_EQ(input.text, L"新しい名前.txt");
}

TEST(InputDialog, KeepsItsOwnTitleWhenNoneIsGivenAndCancelLeavesTheText) {
    DialogAction cancel(L"入力", [&](HWND dialog) {
        SendMessageW(GetDlgItem(dialog, IDC_INPUT_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed"));
        clickButton(dialog, IDCANCEL);
    });
    InputDialog input;
    EXPECT_EQ(input.doModal(nullptr), IDCANCEL);
    ASSERT_TRUE(cancel.finish());
    EXPECT_EQ(input.text, L"");
}
