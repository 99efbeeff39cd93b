#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "support/UiDriver.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {
// The one-line input template with a number between 1 and 99 in its edit.
class NumberDialog : public Dialog {
public:
    NumberDialog() : Dialog(IDD_INPUT) {}
    int value = 5;

protected:
    void doDataExchange(DataExchange& dx) override {
        dx.integer(IDC_INPUT_EDIT, value);
        dx.range(IDC_INPUT_EDIT, value, 1, 99);
    }
};

// Types into the edit, presses OK and returns the text of the message box that answers (empty when none).
std::wstring submit(HWND dialog, const wchar_t* typed, DWORD uiThread) {
    SendMessageW(GetDlgItem(dialog, IDC_INPUT_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed));
    clickButton(dialog, IDOK);
    // A message box comes, or the dialog closes; a loaded machine may take seconds for either.
    HWND box = nullptr;
    for (int waited = 0; waited < 10000 && !box && IsWindow(dialog); waited += 20)
        box = waitForWindow(uiThread, L"Vantor", 20);
    if (!box) return L"";
    std::wstring text = staticTexts(box);
    clickButton(box, IDOK);
    for (int waited = 0; waited < 10000 && IsWindow(box); waited += 10) Sleep(10);
    return text;
}
}  // namespace

TEST(ParseDecimalInt, AcceptsWholeSignedNumbersOnly) {
    const struct { const wchar_t* text; bool ok; int value; } rows[] = {
        {L"42", true, 42}, {L" -7 ", true, -7}, {L"+3", true, 3}, {L"2147483647", true, 2147483647},
        {L"-2147483648", true, -2147483647 - 1}, {L"2147483648", false, 0}, {L"", false, 0}, {L"-", false, 0},
        {L"12abc", false, 0}, {L"1 2", false, 0}, {L"０", false, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << (&r - rows));
        int value = 0;
        EXPECT_EQ(parseDecimalInt(r.text, value), r.ok);
        if (r.ok) {
            EXPECT_EQ(value, r.value);
        }
    }
}

TEST(DialogDataExchange, BadNumberKeepsTheDialogOpenWithTheFocusOnTheField) {
    const DWORD uiThread = GetCurrentThreadId();
    std::wstring notNumber, outOfRange, afterGood;
    HWND focusAfterError = nullptr, edit = nullptr;
    DialogAction script(L"入力", [&](HWND dialog) {
        edit = GetDlgItem(dialog, IDC_INPUT_EDIT);
        notNumber = submit(dialog, L"abc", uiThread);
        // The field gets the focus once the message box has returned. Without a window manager
        // a loaded X server can hand the activation to the desktop as the box goes; the dialog
        // then gives its saved focus back when it is active again, which is what is checked.
        for (int waited = 0; waited < 10000 && focusOf(uiThread) != edit; waited += 10) {
            GUITHREADINFO info{sizeof(info)};
            if (waited >= 500 && GetGUIThreadInfo(uiThread, &info) && !info.hwndActive) SetForegroundWindow(dialog);
            Sleep(10);
        }
        focusAfterError = focusOf(uiThread);
        outOfRange = submit(dialog, L"150", uiThread);
        afterGood = submit(dialog, L"42", uiThread);
    });
    NumberDialog dialog;
    EXPECT_EQ(dialog.doModal(nullptr), IDOK);
    ASSERT_TRUE(script.finish());
    EXPECT_EQ(notNumber, L"整数を入力してください。");
    EXPECT_EQ(outOfRange, L"1 から 99 までの整数を入力してください。");
    EXPECT_EQ(afterGood, L"");
    EXPECT_EQ(focusAfterError, edit);
    EXPECT_EQ(dialog.value, 42);
}
