#include "fileops/ShellLink.h"
#include "framework/Handles.h"
#include <shlobj.h>

std::wstring shortcutFileName(const std::wstring& entryName) {
    const size_t dot = entryName.rfind(L'.');
    const bool hasExtension = dot != std::wstring::npos && dot != 0;
    return (hasExtension ? entryName.substr(0, dot) : entryName) + L".lnk";
}

bool createShortcut(const std::wstring& linkPath, const std::wstring& target) {
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.putVoid())))
        return false;
    link->SetPath(target.c_str());
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.putVoid()))) return false;
    return SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
}
