#include "common/PlatformAbilities.h"
#include "common/ItemHandle.h"
#include "framework/Handles.h"
#include <windows.h>
#include <winioctl.h>
#include <string>
#include <vector>

namespace {
const PlatformAbilities* overridden = nullptr;

// A folder of the probes' own in the temporary folder, removed with what they left in it.
class ScratchFolder {
public:
    ScratchFolder() {
        wchar_t temp[MAX_PATH + 1] = {};
        const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
        if (length == 0 || length > MAX_PATH) return;
        const std::wstring path = std::wstring(temp) + L"vantor-probe-" + std::to_wstring(GetCurrentProcessId()) +
                                  L"-" + std::to_wstring(GetTickCount64());
        if (CreateDirectoryW(path.c_str(), nullptr)) path_ = path + L"\\";
    }
    ~ScratchFolder() {
        if (path_.empty()) return;
        for (const std::wstring& file : files_) DeleteFileW((path_ + file).c_str());
        // The link first: removing a junction removes the link, never what it leads to.
        for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder) RemoveDirectoryW((path_ + *folder).c_str());
        RemoveDirectoryW(path_.c_str());
    }
    explicit operator bool() const { return !path_.empty(); }
    std::wstring file(const wchar_t* name) {
        files_.emplace_back(name);
        return path_ + name;
    }
    std::wstring folder(const wchar_t* name) {
        folders_.emplace_back(name);
        return path_ + name;
    }

private:
    std::wstring path_;
    std::vector<std::wstring> files_, folders_;
};

bool writeByte(const std::wstring& path) {
    UniqueHandle file = UniqueHandle::fromApi(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), "x", 1, &written, nullptr) && written == 1;
}

DWORD CALLBACK noteProgress(LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, DWORD, DWORD, HANDLE, HANDLE,
                            LPVOID called) {
    *static_cast<bool*>(called) = true;
    return PROGRESS_CONTINUE;
}

bool copyReportsProgress(ScratchFolder& scratch) {
    const std::wstring source = scratch.file(L"source"), target = scratch.file(L"target");
    bool called = false;
    return writeByte(source) &&
           CopyFileExW(source.c_str(), target.c_str(), noteProgress, &called, nullptr, COPY_FILE_FAIL_IF_EXISTS) &&
           called;
}

// The layout of a mount point's reparse data (the kernel's headers have it, the user-mode ones not).
struct MountPointData {
    DWORD tag;
    WORD dataLength, reserved;
    WORD substituteOffset, substituteLength, printOffset, printLength;
    wchar_t names[1];
};

// Makes `link` a junction to `target`; false where the platform or the volume has no junctions.
bool makeJunction(const std::wstring& link, const std::wstring& target) {
    const std::wstring substitute = L"\\??\\" + target;
    const size_t nameBytes = (substitute.size() + 2) * sizeof(wchar_t);  // the substitute and an empty print name
    std::vector<unsigned char> block(offsetof(MountPointData, names) + nameBytes, 0);
    auto* data = reinterpret_cast<MountPointData*>(block.data());
    data->tag = IO_REPARSE_TAG_MOUNT_POINT;
    data->dataLength = static_cast<WORD>(block.size() - offsetof(MountPointData, substituteOffset));
    data->substituteLength = static_cast<WORD>(substitute.size() * sizeof(wchar_t));
    data->printOffset = static_cast<WORD>(data->substituteLength + sizeof(wchar_t));
    substitute.copy(data->names, substitute.size());
    UniqueHandle folder = UniqueHandle::fromApi(CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                                            FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                                            nullptr));
    DWORD returned = 0;
    return folder && DeviceIoControl(folder.get(), FSCTL_SET_REPARSE_POINT, block.data(),
                                     static_cast<DWORD>(block.size()), nullptr, 0, &returned, nullptr);
}

bool opensLinksThemselves(ScratchFolder& scratch) {
    const std::wstring target = scratch.folder(L"target-folder"), link = scratch.folder(L"link");
    if (!CreateDirectoryW(target.c_str(), nullptr) || !CreateDirectoryW(link.c_str(), nullptr) ||
        !makeJunction(link, target))
        return false;
    UniqueHandle opened = UniqueHandle::fromApi(CreateFileW(link.c_str(), FILE_READ_ATTRIBUTES,
                                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                            nullptr, OPEN_EXISTING,
                                                            FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                                            nullptr));
    FILE_ATTRIBUTE_TAG_INFO tag{};
    return opened && GetFileInformationByHandleEx(opened.get(), FileAttributeTagInfo, &tag, sizeof(tag)) &&
           tag.ReparseTag == IO_REPARSE_TAG_MOUNT_POINT;
}

bool posixDelete(ScratchFolder& scratch) {
    const std::wstring path = scratch.file(L"deleted");
    if (!writeByte(path)) return false;
    UniqueHandle file = UniqueHandle::fromApi(
        CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, 0, nullptr));
    return file && deleteAtOnce(file.get());
}

// Whether the platform lists a file's streams (NTFS lists at least the data's own, "::$DATA").
// Asked by listing, not by making one: Wine takes "name:stream" for a file of that name.
bool namedStreams(ScratchFolder& scratch) {
    const std::wstring path = scratch.file(L"streams");
    if (!writeByte(path)) return false;
    WIN32_FIND_STREAM_DATA stream;
    FindHandle find(FindFirstStreamW(path.c_str(), FindStreamInfoStandard, &stream, 0));
    return static_cast<bool>(find);
}

PlatformAbilities probe() {
    PlatformAbilities abilities;
    ScratchFolder scratch;
    if (!scratch) return abilities;  // nowhere to try: the answers that need the least of the platform
    abilities.copyReportsProgress = copyReportsProgress(scratch);
    abilities.opensLinksThemselves = opensLinksThemselves(scratch);
    abilities.posixDelete = posixDelete(scratch);
    abilities.namedStreams = namedStreams(scratch);
    return abilities;
}
}  // namespace

const PlatformAbilities& platformAbilities() {
    if (overridden) return *overridden;
    static const PlatformAbilities found = probe();
    return found;
}

PlatformAbilitiesOverride::PlatformAbilitiesOverride(const PlatformAbilities& abilities)
    : previous_(overridden), abilities_(abilities) {
    overridden = &abilities_;
}

PlatformAbilitiesOverride::~PlatformAbilitiesOverride() { overridden = previous_; }
