#include "fileops/AttributeChoice.h"

AttributeBoxes initialBoxes(DWORD attributes, bool severalEntries) {
    AttributeBoxes boxes{};
    for (size_t i = 0; i < boxes.size(); ++i)
        boxes[i] = severalEntries ? kAttributeKeep
                                  : ((attributes & kChoosableAttributes[i]) ? kAttributeSet : kAttributeClear);
    return boxes;
}

AttributeMasks masksOf(const AttributeBoxes& boxes) {
    AttributeMasks masks;
    for (size_t i = 0; i < boxes.size(); ++i) {
        if (boxes[i] != kAttributeKeep) masks.clear |= kChoosableAttributes[i];
        if (boxes[i] == kAttributeSet) masks.set |= kChoosableAttributes[i];
    }
    return masks;
}

DWORD applyMasks(DWORD current, const AttributeMasks& masks) {
    constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD wanted = ((current & ~masks.clear) | masks.set) & kSettable;
    return wanted ? wanted : FILE_ATTRIBUTE_NORMAL;
}
