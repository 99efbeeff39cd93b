#include "framework/CommandUI.h"

void MenuCommandUI::enable(bool on) {
    CommandUI::enable(on);
    EnableMenuItem(menu_, position_, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
}

void MenuCommandUI::check(bool on) {
    CommandUI::check(on);
    CheckMenuItem(menu_, position_, MF_BYPOSITION | (on ? MF_CHECKED : MF_UNCHECKED));
}

void ControlCommandUI::enable(bool on) {
    CommandUI::enable(on);
    if (control_ && (IsWindowEnabled(control_) != FALSE) != on) EnableWindow(control_, on);
}

void ControlCommandUI::check(bool on) {
    CommandUI::check(on);
    if (control_) SendMessageW(control_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}
