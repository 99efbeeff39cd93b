#include "pane/ShellContextMenu.h"
#include "framework/Handles.h"
#include <shlobj.h>

namespace shell_context_menu {
namespace {

// The open menu's second interface; one shell menu at a time is open in the process.
IContextMenu2* openMenu = nullptr;

template <typename T>
struct ComRef {
    T* p = nullptr;
    ~ComRef() {
        if (p) p->Release();
    }
    T** out() { return &p; }
};

struct ItemIds {
    std::vector<LPITEMIDLIST> ids;
    ~ItemIds() {
        for (LPITEMIDLIST id : ids) CoTaskMemFree(id);
    }
};

struct OpenMenuScope {
    explicit OpenMenuScope(IContextMenu2* menu) { openMenu = menu; }
    ~OpenMenuScope() { openMenu = nullptr; }
};

bool bindFolder(HWND owner, const std::wstring& folder, ComRef<IShellFolder>& result) {
    ComRef<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.out()))) return false;
    std::wstring path = folder;
    LPITEMIDLIST id = nullptr;
    if (FAILED(desktop.p->ParseDisplayName(owner, nullptr, path.data(), nullptr, &id, nullptr))) return false;
    const HRESULT hr = desktop.p->BindToObject(id, nullptr, IID_IShellFolder, reinterpret_cast<void**>(result.out()));
    CoTaskMemFree(id);
    return SUCCEEDED(hr);
}

}  // namespace

bool show(HWND owner, const std::wstring& folder, const std::vector<std::wstring>& names, POINT at) {
    if (names.empty() || openMenu) return false;
    ComRef<IShellFolder> shellFolder;
    if (!bindFolder(owner, folder, shellFolder)) return false;
    ItemIds children;
    for (const std::wstring& name : names) {
        std::wstring text = name;
        LPITEMIDLIST id = nullptr;
        if (FAILED(shellFolder.p->ParseDisplayName(owner, nullptr, text.data(), nullptr, &id, nullptr))) return false;
        children.ids.push_back(id);
    }
    ComRef<IContextMenu> menu;
    if (FAILED(shellFolder.p->GetUIObjectOf(owner, static_cast<UINT>(children.ids.size()),
                                            const_cast<LPCITEMIDLIST*>(children.ids.data()), IID_IContextMenu,
                                            nullptr, reinterpret_cast<void**>(menu.out()))))
        return false;
    ComRef<IContextMenu2> menu2;
    if (FAILED(menu.p->QueryInterface(IID_IContextMenu2, reinterpret_cast<void**>(menu2.out())))) return false;
    UniqueMenu popup(CreatePopupMenu());
    if (!popup || FAILED(menu.p->QueryContextMenu(popup.get(), 0, 1, 0xFFFF, CMF_NORMAL))) return false;
    int chosen = 0;
    {
        OpenMenuScope scope(menu2.p);
        chosen = static_cast<int>(
            TrackPopupMenu(popup.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr));
    }
    if (chosen <= 0) return false;
    CMINVOKECOMMANDINFO invoke{};
    invoke.cbSize = sizeof(invoke);
    invoke.hwnd = owner;
    invoke.lpVerb = MAKEINTRESOURCEA(chosen - 1);
    invoke.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(menu.p->InvokeCommand(&invoke));
}

bool forwardMenuMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!openMenu) return false;
    openMenu->HandleMenuMsg(message, wParam, lParam);
    return true;
}

}  // namespace shell_context_menu
