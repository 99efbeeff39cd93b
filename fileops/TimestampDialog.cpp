#include "fileops/TimestampDialog.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "resource.h"

namespace {
struct RowControls {
    int check;
    int firstField;  // year; month, day, hour, minute and second follow
    const wchar_t* name;
};
constexpr RowControls kRows[] = {
    {IDC_TIME_CREATION, IDC_TIME_CREATION + 1, L"作成日時"},
    {IDC_TIME_ACCESS, IDC_TIME_ACCESS + 1, L"最終アクセス日時"},
    {IDC_TIME_WRITE, IDC_TIME_WRITE + 1, L"更新日時"},
};
}  // namespace

TimestampDialog::TimestampDialog() : Dialog(IDD_TIMESTAMP) {}

bool TimestampDialog::onInitDialog() {
    for (int row = 0; row < 3; ++row) fields_[row] = localFieldsOf(times[row]);
    const bool focusDefault = Dialog::onInitDialog();
    EnableWindow(item(IDC_ITEM_RECURSE), containsFolder);
    return focusDefault;
}

void TimestampDialog::doDataExchange(DataExchange& dx) {
    for (int row = 0; row < 3; ++row) {
        dx.check(kRows[row].check, checked[row]);
        for (int field = 0; field < 6; ++field) dx.integer(kRows[row].firstField + field, fields_[row][field]);
    }
    dx.check(IDC_ITEM_RECURSE, recurse);
    if (!dx.saving() || dx.failed()) return;
    // A checked row must be a real date and time: writing an undefined time would be worse than
    // asking again. Unchecked rows are never applied, whatever they hold.
    for (int row = 0; row < 3; ++row) {
        if (!checked[row]) continue;
        const int bad = invalidField(fields_[row]);
        if (bad >= 0) {
            showMessageBox(hwnd_, std::wstring(kRows[row].name) + L"が正しくありません", MB_ICONEXCLAMATION | MB_OK);
            dx.fail(kRows[row].firstField + bad);
            return;
        }
    }
    for (int row = 0; row < 3; ++row)
        if (const auto utc = utcTimeOf(fields_[row])) times[row] = *utc;
}
