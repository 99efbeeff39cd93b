#include "pane/CompareDialog.h"
#include "framework/DataExchange.h"
#include "resource.h"

CompareDialog::CompareDialog() : Dialog(IDD_COMPARE) {}

void CompareDialog::doDataExchange(DataExchange& dx) {
    int rule = static_cast<int>(by);
    int inside = subfolders ? 1 : 0;
    dx.radio(IDC_COMPARE_TIME_SIZE, IDC_COMPARE_CONTENT, rule);
    dx.check(IDC_COMPARE_SUBFOLDERS, inside);
    if (!dx.saving()) return;
    by = static_cast<CompareBy>(rule);
    subfolders = inside != 0;
}
