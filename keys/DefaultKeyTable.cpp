#include "keys/DefaultKeyTable.h"
#include "keys/KeyNames.h"
#include "resource.h"

namespace {

constexpr std::uint8_t kKey = KeyModifier::kVirtualKey;
constexpr std::uint8_t kShiftKey = KeyModifier::kVirtualKey | KeyModifier::kShift;
constexpr std::uint8_t kCtrlKey = KeyModifier::kVirtualKey | KeyModifier::kCtrl;
constexpr std::uint8_t kAltKey = KeyModifier::kVirtualKey | KeyModifier::kAlt;

const DefaultKeyAssign kDefaultKeyTable[] = {
    {kKey, 0x25, ID_UI_ACTIVE_TOGGLE, nullptr},
    {kKey, 0x27, ID_UI_ACTIVE_TOGGLE, nullptr},
    {kKey, 0x09, ID_UI_MARK, nullptr},
    {kKey, 0x20, ID_UI_MARK_DOWN, nullptr},
    {kKey, 0x26, ID_UI_LINE_UP, nullptr},
    {kKey, 0x28, ID_UI_LINE_DOWN, nullptr},
    {kKey, 0x21, ID_UI_PAGE_UP, nullptr},
    {kKey, 0x22, ID_UI_PAGE_DOWN, nullptr},
    {kShiftKey, 0x21, ID_UI_CUR_TOP, nullptr},
    {kShiftKey, 0x22, ID_UI_CUR_BOTTOM, nullptr},
    {kKey, 0xBF, ID_UI_QUICK_SEARCH, nullptr},
    {kKey, 0x51, ID_UI_QUIT_CONFIRM, nullptr},
    {kKey, 0x1B, ID_UI_QUIT_CONFIRM, nullptr},
    {kShiftKey, 0x0D, ID_FILE_EDIT, nullptr},
    {kKey, 0x0D, ID_FILE_VIEW, nullptr},
    {kCtrlKey, 0x0D, ID_FILE_OPEN_APP, nullptr},
    {kAltKey, 0x0D, ID_FILE_PROPERTY, nullptr},
    {kKey, 0x43, ID_FILE_COPY, nullptr},
    {kKey, 0x4D, ID_FILE_MOVE, nullptr},
    {kKey, 0x44, ID_FILE_DELETE, nullptr},
    {kKey, 0x71, ID_FILE_RENAME, nullptr},
    {kKey, 0x41, ID_FILE_ATTRIBUTES, nullptr},
    {kCtrlKey, 0x54, ID_FILE_TIMESTAMP, nullptr},
    {kKey, 0x4C, ID_DRIVE_SELECT, nullptr},
    {kKey, 0x61, ID_DRIVE_SELECT, L"a:"},
    {kKey, 0x62, ID_DRIVE_SELECT, L"b:"},
    {kKey, 0x63, ID_DRIVE_SELECT, L"c:"},
    {kKey, 0x64, ID_DRIVE_SELECT, L"d:"},
    {kKey, 0x65, ID_DRIVE_SELECT, L"e:"},
    {kKey, 0x66, ID_DRIVE_SELECT, L"f:"},
    {kKey, 0x67, ID_DRIVE_SELECT, L"g:"},
    {kKey, 0x68, ID_DRIVE_SELECT, L"h:"},
    {kKey, 0x69, ID_DRIVE_SELECT, L"i:"},
    {kKey, 0xDC, ID_DIR_ROOT, nullptr},
    {kKey, 0x08, ID_DIR_PARENT, nullptr},
    {kKey, 0x54, ID_DIR_TREE, nullptr},
    {kKey, 0x49, ID_DIR_DIRECT, nullptr},
    {kKey, 0x48, ID_DIR_HISTORY, nullptr},
    {kKey, 0x75, ID_DIR_BOOKMARK, nullptr},
    {kShiftKey, 0x78, ID_DIR_BY_RIGHT, nullptr},
    {kShiftKey, 0x79, ID_DIR_BY_LEFT, nullptr},
    {kKey, 0x78, ID_DIR_BY_ACTIVE, nullptr},
    {kKey, 0x79, ID_DIR_SWAP, nullptr},
    {kCtrlKey, 0x58, ID_EDIT_CUT, nullptr},
    {kCtrlKey, 0x43, ID_EDIT_COPY, nullptr},
    {kCtrlKey, 0x56, ID_EDIT_PASTE, nullptr},
    {kShiftKey, 0x2E, ID_EDIT_CUT, nullptr},
    {kCtrlKey, 0x2D, ID_EDIT_COPY, nullptr},
    {kShiftKey, 0x2D, ID_EDIT_PASTE, nullptr},
    {kKey, 0x24, ID_MARK_ALL, nullptr},
    {kShiftKey, 0x24, ID_MARK_ALL_FILE, nullptr},
    {kKey, 0x23, ID_MARK_TOGGLE, nullptr},
    {kShiftKey, 0x23, ID_MARK_TOGGLE_FILE, nullptr},
    {kCtrlKey, 0x23, ID_MARK_CLEAR, nullptr},
    {kCtrlKey, 0x24, ID_MARK_COMPARE, nullptr},
    {kKey, 0x72, ID_MACRO, nullptr},
    {kKey, 0x73, ID_MACRO_DOS, nullptr},
    {kKey, 0x4B, ID_TOOL_MKDIR, nullptr},
    {kKey, 0x4F, ID_TOOL_NEWFILE, nullptr},
    {kKey, 0x46, ID_TOOL_FIND, nullptr},
    {kShiftKey, 0x4A, ID_DIR_JUMP, nullptr},
    {kKey, 0x77, ID_TOOL_DIR_SIZE, nullptr},
    {kShiftKey, 0x77, ID_TOOL_DIR_SIZE_ALL, nullptr},
    {kKey, 0x74, ID_VIEW_RENEW, nullptr},
    {kKey, 0x59, ID_VIEW_WILDCARD, nullptr},
    {kShiftKey, 0x59, ID_VIEW_ALLCARD, nullptr},
    {kKey, 0x53, ID_SORT_UI, nullptr},
    {kKey, 0x7A, ID_OPT_SETUP, nullptr},
    {kKey, 0x7B, ID_OPT_SETUP_KEY, nullptr},
    {kKey, 0x70, ID_APP_ABOUT, nullptr},
};

}  // namespace

std::span<const DefaultKeyAssign> defaultKeyTable() { return kDefaultKeyTable; }
