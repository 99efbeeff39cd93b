// The quick search line: a one-line field over a pane's status line. Each change of its text moves
// the pane's cursor to the first entry, from the cursor on, whose name starts with it; Down and Up
// go to the next and previous match, Enter (or the focus leaving) closes it where the cursor is,
// Escape closes it and puts the cursor back where it was. While it has the focus it takes every
// key, so typing a letter never runs the letter's binding.
#pragma once
#include "framework/Handles.h"
#include "framework/Window.h"
#include "pane/QuickSearchMatch.h"
#include <string>

class CVantorView;

class QuickSearchLine : public Window {
public:
    explicit QuickSearchLine(CVantorView& pane);

    // Shows the line, empty, over the pane in the pane's font and gives it the keyboard focus.
    void open(const LOGFONTW& font, int lineHeight);
    // Hides the line and gives the focus back to the pane; `restore` puts the cursor back on the
    // entry it was on when the line opened.
    void close(bool restore);
    bool isOpen() const { return open_; }
    // Whether the text as typed matches some entry (an empty text counts as found).
    bool found() const { return found_; }
    std::wstring text() const;
    HWND edit() const { return edit_; }
    // Lays the line over the status line again after the pane changed its size.
    void fitToPane();

    bool PreTranslateMessage(MSG& msg) override;

protected:
    const MessageMap* messageMap() const override;

private:
    void onTextChanged();
    void onEditLostFocus();
    LRESULT onEditColour(WPARAM wParam, LPARAM lParam);
    void onPaint();
    LRESULT onEraseBackground();
    bool create();
    void moveCursor(SearchStep step);

    CVantorView& pane_;
    HWND edit_ = nullptr;
    GdiObject<HFONT> font_;
    int lineHeight_ = 16;
    int promptWidth_ = 0;
    bool open_ = false;
    bool found_ = true;
    // Where Escape goes back to: the display position at open, and its name in case the folder
    // was read again meanwhile and the entries moved.
    int origin_ = -1;
    std::wstring originName_;
};
