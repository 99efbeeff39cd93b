#include "folders/DriveSelectDialog.h"
#include "framework/DataExchange.h"
#include "folders/DriveLines.h"
#include "resource.h"

DriveSelectDialog::DriveSelectDialog() : Dialog(IDD_DRIVE_SELECT) {}

const MessageMap* DriveSelectDialog::messageMap() const {
    static const MessageEntry entries[] = {
        onControl<LBN_SELCHANGE, IDC_DRIVE_LIST, &DriveSelectDialog::onDriveSelected>(),
    };
    static const MessageMap map{Dialog::messageMap(), entries};
    return &map;
}

bool DriveSelectDialog::onInitDialog() {
    fillDrives();
    return Dialog::onInitDialog();
}

void DriveSelectDialog::fillDrives() {
    HWND list = item(IDC_DRIVE_LIST);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    upper_ = startsWithUpperLetter(chosenLetter);
    const auto lines = driveLines(GetLogicalDrives(), upper_, [](int drive) {
        const wchar_t root[] = {driveLetter(drive, true), L':', L'\\', L'\0'};
        return GetDriveTypeW(root);
    });
    for (const DriveLine& line : lines) {
        const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.text.c_str()));
        SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), line.drive);
    }
    // A folder off any drive (a network path) selects nothing and leaves the edit empty.
    const int current = driveLineOf(lines, chosenLetter);
    letterText_.clear();
    if (current >= 0) letterText_.assign(1, driveLetter(lines[static_cast<size_t>(current)].drive, upper_));
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(current), 0);
}

void DriveSelectDialog::onDriveSelected() {
    HWND list = item(IDC_DRIVE_LIST);
    const LRESULT line = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (line == LB_ERR) return;
    const auto drive = static_cast<int>(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(line), 0));
    setItemText(IDC_DRIVE_EDIT, std::wstring(1, driveLetter(drive, upper_)));
}

void DriveSelectDialog::doDataExchange(DataExchange& dx) {
    dx.text(IDC_DRIVE_EDIT, letterText_, 1);
}

void DriveSelectDialog::onOK() {
    if (!updateData(true) || letterText_.empty()) return;
    chosenLetter = letterText_.substr(0, 1);
    endDialog(IDOK);
}
