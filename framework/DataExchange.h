// Moves values between a dialog's members and its controls, and validates what the user typed.
// After the first failure every further exchange is skipped, so the focus stays on that field.
#pragma once
#include <windows.h>
#include <string>

class Dialog;

class DataExchange {
public:
    DataExchange(Dialog& dialog, bool saving) : dialog_(dialog), saving_(saving) {}

    bool saving() const { return saving_; }
    bool failed() const { return failed_; }

    // Edit text; maxChars > 0 limits what the user can type.
    void text(int id, std::wstring& value, int maxChars = 0);
    // Decimal integer; on save, text that is not a number shows "整数を入力してください。".
    void integer(int id, int& value);
    // Range check of a value just exchanged; on save, a value outside shows
    // "<min> から <max> までの整数を入力してください。".
    void range(int id, int value, int minimum, int maximum);
    // Check box: 0 unchecked, 1 checked, 2 indeterminate.
    void check(int id, int& value);
    // Index of the checked button in a group of radio buttons starting at firstId, -1 for none.
    void radio(int firstId, int lastId, int& value);

    // Marks the exchange failed and puts the focus on the field (selecting an edit's text).
    void fail(int id);

private:
    Dialog& dialog_;
    bool saving_;
    bool failed_ = false;
};

// Parses a whole text as a decimal int (surrounding blanks allowed); false when it is not one.
bool parseDecimalInt(const std::wstring& text, int& value);
