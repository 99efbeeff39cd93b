#include "pane/ShellContextMenu.h"
#include "framework/Handles.h"
#include "framework/ShellFolder.h"
#include <shlobj.h>

namespace shell_context_menu {
namespace {

// The open menu's second interface; one shell menu at a time is open in the process.
IContextMenu2* openMenu = nullptr;

struct OpenMenuScope {
    explicit OpenMenuScope(IContextMenu2* menu) { openMenu = menu; }
    ~OpenMenuScope() { openMenu = nullptr; }
};

}  // namespace

bool show(HWND owner, const std::wstring& folder, const std::vector<std::wstring>& names, POINT at) {
    if (names.empty() || openMenu) return false;
    const ShellFolder shellFolder = ShellFolder::bind(owner, folder);
    if (!shellFolder) return false;
    std::vector<ShellItemList> children;
    std::vector<LPCITEMIDLIST> ids;
    for (const std::wstring& name : names) {
        ShellItemList child = shellFolder.child(owner, name);
        if (!child) return false;
        ids.push_back(child.get());
        children.push_back(std::move(child));
    }
    ComPtr<IContextMenu> menu;
    if (FAILED(shellFolder.get()->GetUIObjectOf(owner, static_cast<UINT>(ids.size()), ids.data(), IID_IContextMenu,
                                                nullptr, menu.putVoid())))
        return false;
    ComPtr<IContextMenu2> menu2;
    if (FAILED(menu->QueryInterface(IID_IContextMenu2, menu2.putVoid()))) return false;
    UniqueMenu popup(CreatePopupMenu());
    if (!popup || FAILED(menu->QueryContextMenu(popup.get(), 0, 1, 0xFFFF, CMF_NORMAL))) return false;
    int chosen = 0;
    {
        OpenMenuScope scope(menu2.get());
        chosen = static_cast<int>(
            TrackPopupMenu(popup.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr));
    }
    if (chosen <= 0) return false;
    CMINVOKECOMMANDINFO invoke{};
    invoke.cbSize = sizeof(invoke);
    invoke.hwnd = owner;
    invoke.lpVerb = MAKEINTRESOURCEA(chosen - 1);
    invoke.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(menu->InvokeCommand(&invoke));
}

bool forwardMenuMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!openMenu) return false;
    openMenu->HandleMenuMsg(message, wParam, lParam);
    return true;
}

}  // namespace shell_context_menu
