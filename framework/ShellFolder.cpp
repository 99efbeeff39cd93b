#include "framework/ShellFolder.h"

ShellFolder ShellFolder::bind(HWND owner, const std::wstring& path) {
    ShellFolder result;
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.put()))) return result;
    std::wstring text = path;  // the call takes a writable string
    if (FAILED(desktop->ParseDisplayName(owner, nullptr, text.data(), nullptr, result.id_.put(), nullptr)) ||
        FAILED(desktop->BindToObject(result.id_.get(), nullptr, IID_IShellFolder, result.folder_.putVoid())))
        result.folder_.reset();
    return result;
}

ShellItemList ShellFolder::child(HWND owner, const std::wstring& name) const {
    ShellItemList item;
    std::wstring text = name;
    if (folder_ && FAILED(folder_->ParseDisplayName(owner, nullptr, text.data(), nullptr, item.put(), nullptr)))
        return ShellItemList();
    return item;
}
