// A folder of the shell's namespace reached from the desktop by its path, and the item lists of
// names inside it: what a shell context menu and the clipboard's item-list array both start from.
#pragma once
#include "framework/Handles.h"
#include <shlobj.h>
#include <string>
#include <utility>

// One item list, freed with the shell's allocator.
class ShellItemList {
public:
    ShellItemList() = default;
    ~ShellItemList() { CoTaskMemFree(id_); }
    ShellItemList(ShellItemList&& other) noexcept : id_(std::exchange(other.id_, nullptr)) {}
    ShellItemList& operator=(ShellItemList&& other) noexcept {
        std::swap(id_, other.id_);
        return *this;
    }
    LPCITEMIDLIST get() const { return id_; }
    LPITEMIDLIST* put() { return &id_; }
    explicit operator bool() const { return id_ != nullptr; }

private:
    LPITEMIDLIST id_ = nullptr;
};

class ShellFolder {
public:
    // Empty when the shell cannot parse the path or bind to it.
    static ShellFolder bind(HWND owner, const std::wstring& path);

    explicit operator bool() const { return static_cast<bool>(folder_); }
    IShellFolder* get() const { return folder_.get(); }
    // The folder's own item list, relative to the desktop.
    LPCITEMIDLIST id() const { return id_.get(); }
    // The item list of `name` inside the folder; empty when the shell cannot parse the name.
    ShellItemList child(HWND owner, const std::wstring& name) const;

private:
    ComPtr<IShellFolder> folder_;
    ShellItemList id_;
};
