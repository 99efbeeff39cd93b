#include "framework/AccessibleName.h"
#include "framework/Dialog.h"
#include "resource.h"
#include <oleacc.h>
#include <gtest/gtest.h>

namespace {
struct Spoken {
    std::wstring name;
    RECT place{};  // on the screen
};

// What a screen reader learns of a control: its name and place, through the system's own request.
Spoken spokenOf(HWND control) {
    IAccessible* object = nullptr;
    Spoken spoken;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))) ||
        !object)
        return spoken;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (SUCCEEDED(object->get_accName(self, &name)) && name) spoken.name = name;
    SysFreeString(name);
    long left = 0, top = 0, width = 0, height = 0;
    if (SUCCEEDED(object->accLocation(&left, &top, &width, &height, self)))
        spoken.place = {left, top, left + width, top + height};
    object->Release();
    return spoken;
}
}  // namespace

TEST(AccessibleName, ABrowseButtonIsNamedByTheStringOfItsIdAndTheRestIsTheSystemsAnswer) {
    // A dialog names its "…" button when it opens; the folder input's browse button is one.
    Dialog dialog(IDD_FOLDER_INPUT);
    ASSERT_TRUE(dialog.create(nullptr));
    HWND browse = dialog.item(IDC_FOLDER_BROWSE);
    const Spoken spoken = spokenOf(browse);
    EXPECT_EQ(spoken.name, L"フォルダを参照");
    RECT onScreen{};
    GetWindowRect(browse, &onScreen);
    EXPECT_TRUE(EqualRect(&spoken.place, &onScreen));

    // Named again, the control keeps only the new name; OK, whose text says what it does, keeps it.
    ASSERT_TRUE(setAccessibleName(browse, L"別の名前"));
    EXPECT_EQ(spokenOf(browse).name, L"別の名前");
    EXPECT_NE(spokenOf(dialog.item(IDOK)).name, L"フォルダを参照");
}
