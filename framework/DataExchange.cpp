#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/MessageBox.h"
#include <cwchar>
#include <cwctype>
#include <limits>

bool parseDecimalInt(const std::wstring& text, int& value) {
    size_t i = 0, end = text.size();
    while (i < end && std::iswspace(text[i])) ++i;
    while (end > i && std::iswspace(text[end - 1])) --end;
    if (i == end) return false;
    bool negative = false;
    if (text[i] == L'+' || text[i] == L'-') negative = text[i++] == L'-';
    if (i == end) return false;
    long long result = 0;
    for (; i < end; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
        result = result * 10 + (text[i] - L'0');
        if (result > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return false;
    }
    if (negative) result = -result;
    if (result < std::numeric_limits<int>::min() || result > std::numeric_limits<int>::max()) return false;
    value = static_cast<int>(result);
    return true;
}

void DataExchange::fail(int id) {
    failed_ = true;
    HWND control = dialog_.item(id);
    if (!control) return;
    SetFocus(control);
    wchar_t cls[16] = {};
    GetClassNameW(control, cls, 16);
    if (_wcsicmp(cls, L"Edit") == 0) SendMessageW(control, EM_SETSEL, 0, -1);
}

void DataExchange::text(int id, std::wstring& value, int maxChars) {
    if (failed_) return;
    if (saving_) {
        value = dialog_.itemText(id);
    } else {
        if (maxChars > 0) SendMessageW(dialog_.item(id), EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
        dialog_.setItemText(id, value);
    }
}

void DataExchange::integer(int id, int& value) {
    if (failed_) return;
    if (!saving_) {
        dialog_.setItemText(id, std::to_wstring(value));
        return;
    }
    int parsed = 0;
    if (!parseDecimalInt(dialog_.itemText(id), parsed)) {
        showMessageBox(dialog_.hwnd(), L"整数を入力してください。", MB_OK | MB_ICONEXCLAMATION);
        fail(id);
        return;
    }
    value = parsed;
}

void DataExchange::range(int id, int value, int minimum, int maximum) {
    if (failed_ || !saving_) return;
    if (value >= minimum && value <= maximum) return;
    wchar_t text[96];
    swprintf(text, 96, L"%d から %d までの整数を入力してください。", minimum, maximum);
    showMessageBox(dialog_.hwnd(), text, MB_OK | MB_ICONEXCLAMATION);
    fail(id);
}

void DataExchange::check(int id, int& value) {
    if (failed_) return;
    HWND control = dialog_.item(id);
    if (saving_) value = static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0));
    else SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DataExchange::radio(int firstId, int lastId, int& value) {
    if (failed_) return;
    if (saving_) {
        value = -1;
        for (int id = firstId; id <= lastId; ++id) {
            if (IsDlgButtonChecked(dialog_.hwnd(), id) == BST_CHECKED) value = id - firstId;
        }
    } else {
        CheckRadioButton(dialog_.hwnd(), firstId, lastId, value >= 0 ? firstId + value : 0);
    }
}
