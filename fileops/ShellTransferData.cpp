#include "fileops/ShellTransferData.h"
#include "framework/Handles.h"
#include "framework/ShellFolder.h"
#include <shlobj.h>
#include <algorithm>
#include <cstring>

namespace {
// The bytes `fill` writes into a new movable, zeroed block of `size` bytes; null when none.
template <typename Fill>
HGLOBAL makeBlock(size_t size, Fill fill) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!block) return nullptr;
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    if (!bytes) {
        GlobalFree(block);
        return nullptr;
    }
    fill(bytes);
    GlobalUnlock(block);
    return block;
}

// An item-identifier list's size with its 2-byte terminator.
UINT idListSize(LPCITEMIDLIST id) { return ILGetSize(id); }

}  // namespace

CLIPFORMAT preferredDropEffectFormat() {
    static const CLIPFORMAT format = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_PREFERREDDROPEFFECT));
    return format;
}

CLIPFORMAT shellIdListFormat() {
    static const CLIPFORMAT format = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_SHELLIDLIST));
    return format;
}

HGLOBAL makeFileListBlock(const std::vector<std::wstring>& paths) {
    if (paths.empty()) return nullptr;
    size_t size = sizeof(DROPFILES) + sizeof(wchar_t);
    for (const std::wstring& path : paths) size += (path.size() + 1) * sizeof(wchar_t);
    return makeBlock(size, [&](unsigned char* bytes) {
        auto* header = reinterpret_cast<DROPFILES*>(bytes);
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        auto* names = reinterpret_cast<wchar_t*>(bytes + sizeof(DROPFILES));
        for (const std::wstring& path : paths) {
            std::memcpy(names, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
            names += path.size() + 1;
        }
    });
}

std::vector<std::wstring> readFileList(HDROP list) {
    // Read in one pass within the block's size: asking for the names one by one walks the list
    // from its start each time, which takes minutes for 100,000 names, and the block comes from
    // another program, so nothing in it is trusted to be terminated.
    std::vector<std::wstring> paths;
    const size_t size = GlobalSize(list);
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(list));
    if (!bytes) return paths;
    DROPFILES header{};
    if (size >= sizeof(header)) std::memcpy(&header, bytes, sizeof(header));
    const size_t start = header.pFiles;
    if (size >= sizeof(header) && start >= sizeof(header) && start <= size) {
        if (header.fWide) {
            const size_t units = (size - start) / sizeof(wchar_t);
            std::wstring text(units, L'\0');
            std::memcpy(text.data(), bytes + start, units * sizeof(wchar_t));
            for (size_t at = 0; at < units && text[at];) {
                const size_t end = std::min(text.find(L'\0', at), units);
                paths.push_back(text.substr(at, end - at));
                at = end + 1;
            }
        } else {
            const std::string text(reinterpret_cast<const char*>(bytes + start), size - start);
            for (size_t at = 0; at < text.size() && text[at];) {
                const size_t end = std::min(text.find('\0', at), text.size());
                const int length = static_cast<int>(end - at);
                std::wstring path(MultiByteToWideChar(CP_ACP, 0, text.data() + at, length, nullptr, 0), L'\0');
                MultiByteToWideChar(CP_ACP, 0, text.data() + at, length, path.data(), static_cast<int>(path.size()));
                paths.push_back(path);
                at = end + 1;
            }
        }
    }
    GlobalUnlock(list);
    return paths;
}

std::optional<std::vector<std::wstring>> droppedFiles(IDataObject* data) {
    if (!data) return std::nullopt;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium))) return std::nullopt;
    std::vector<std::wstring> files;
    if (medium.tymed == TYMED_HGLOBAL) files = readFileList(static_cast<HDROP>(medium.hGlobal));
    ReleaseStgMedium(&medium);
    return files;
}

HGLOBAL makeDropEffectBlock(DWORD effect) {
    return makeBlock(sizeof(DWORD), [&](unsigned char* bytes) { std::memcpy(bytes, &effect, sizeof(effect)); });
}

DWORD readDropEffect(HGLOBAL block) {
    if (!block || GlobalSize(block) < sizeof(DWORD)) return kEffectCopy;
    const void* bytes = GlobalLock(block);
    if (!bytes) return kEffectCopy;
    DWORD effect;
    std::memcpy(&effect, bytes, sizeof(effect));
    GlobalUnlock(block);
    return effect;
}

HGLOBAL makeShellIdListArray(HWND owner, const std::wstring& folder, const std::vector<std::wstring>& names) {
    const ShellFolder shellFolder = ShellFolder::bind(owner, folder);
    if (!shellFolder) return nullptr;
    std::vector<ShellItemList> children;
    std::vector<LPCITEMIDLIST> lists{shellFolder.id()};
    for (const std::wstring& name : names) {
        if (ShellItemList child = shellFolder.child(owner, name)) {
            lists.push_back(child.get());
            children.push_back(std::move(child));
        }
    }
    // CIDA: the count of item lists (the folder's not counted), an offset per list, then the lists.
    const size_t header = sizeof(UINT) * (1 + lists.size());
    size_t size = header;
    for (LPCITEMIDLIST id : lists) size += idListSize(id);
    return makeBlock(size, [&](unsigned char* bytes) {
        auto* cida = reinterpret_cast<CIDA*>(bytes);
        cida->cidl = static_cast<UINT>(lists.size() - 1);
        size_t offset = header;
        for (size_t i = 0; i < lists.size(); ++i) {
            cida->aoffset[i] = static_cast<UINT>(offset);
            std::memcpy(bytes + offset, lists[i], idListSize(lists[i]));
            offset += idListSize(lists[i]);
        }
    });
}
