#include "fileops/AttributeDialog.h"
#include "framework/DataExchange.h"
#include "resource.h"

namespace {
// The boxes in the order of kChoosableAttributes.
constexpr int kBoxIds[] = {IDC_ATTRIBUTE_READONLY, IDC_ATTRIBUTE_HIDDEN, IDC_ATTRIBUTE_SYSTEM,
                           IDC_ATTRIBUTE_ARCHIVE};
}  // namespace

AttributeDialog::AttributeDialog(DWORD attributes, bool severalEntries)
    : Dialog(IDD_ATTRIBUTES),
      boxes(initialBoxes(attributes, severalEntries)),
      containsFolder((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {}

const MessageMap* AttributeDialog::messageMap() const {
    static const MessageEntry entries[] = {
        onCommand<IDC_ITEM_RECURSE, &AttributeDialog::onRecurse>(),
    };
    static const MessageMap map{Dialog::messageMap(), entries};
    return &map;
}

bool AttributeDialog::onInitDialog() {
    const bool focusDefault = Dialog::onInitDialog();
    EnableWindow(item(IDC_ITEM_RECURSE), containsFolder);
    return focusDefault;
}

void AttributeDialog::doDataExchange(DataExchange& dx) {
    for (size_t i = 0; i < boxes.size(); ++i) dx.check(kBoxIds[i], boxes[i]);
    dx.check(IDC_ITEM_RECURSE, recurse);
}

void AttributeDialog::onRecurse() {
    updateData(true);
    if (recurse == 1) boxes.fill(kAttributeKeep);
    updateData(false);
}
