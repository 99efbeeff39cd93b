#include "support/FileLinks.h"
#include "support/TempFolder.h"
#include <windows.h>
#include <cstdint>
#include <vector>

namespace {
using UnixNameOf = char*(CDECL*)(const wchar_t*);
using DosNameOf = wchar_t*(CDECL*)(const char*);

UnixNameOf unixNameOf() {
    return reinterpret_cast<UnixNameOf>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
}

std::string unixName(const std::wstring& path) {
    char* name = unixNameOf()(path.c_str());
    if (!name) return {};
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Starts a host program (under Wine a Unix executable starts like any other). Its process handle
// cannot be waited on, so callers wait for the state they asked for.
bool startHostTool(const char* tool, const std::vector<std::string>& arguments) {
    auto dosNameOf =
        reinterpret_cast<DosNameOf>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name"));
    wchar_t* program = dosNameOf ? dosNameOf(tool) : nullptr;
    if (!program) return false;
    std::wstring line = L"\"" + std::wstring(program) + L"\"";
    HeapFree(GetProcessHeap(), 0, program);
    for (const std::string& argument : arguments) {
        if (argument.empty()) return false;
        const int size = MultiByteToWideChar(CP_UTF8, 0, argument.c_str(), -1, nullptr, 0);
        std::wstring wide(size, L'\0');
        MultiByteToWideChar(CP_UTF8, 0, argument.c_str(), -1, wide.data(), size);
        wide.resize(size - 1);
        line += L" \"" + wide + L"\"";
    }
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// Whether a name is present in its folder, found by listing it, so a link whose target is gone counts.
bool listed(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    return true;
}

bool waitUntilListed(const std::wstring& path, bool present) {
    for (int waited = 0; waited < 10000; waited += 10) {
        if (listed(path) == present) return true;
        Sleep(10);
    }
    return false;
}
}  // namespace

bool makeLink(const std::wstring& link, const std::wstring& target) {
    if (unixNameOf()) return startHostTool("/bin/ln", {"-s", unixName(target), unixName(link)}) && waitUntilListed(link, true);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const DWORD folder = (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
                             ? SYMBOLIC_LINK_FLAG_DIRECTORY
                             : 0;
    return CreateSymbolicLinkW(link.c_str(), target.c_str(), folder | 2 /* unprivileged */) != FALSE;
}

bool removeLink(const std::wstring& link) {
    if (unixNameOf()) {
        if (!listed(link)) return true;
        return startHostTool("/bin/rm", {"-f", unixName(link)}) && waitUntilListed(link, false);
    }
    const DWORD attributes = GetFileAttributesW(link.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveDirectoryW(link.c_str()) != FALSE
                                                   : DeleteFileW(link.c_str()) != FALSE;
}

bool setHostMode(const std::wstring& path, const char* mode) {
    return unixNameOf() && startHostTool("/bin/chmod", {mode, unixName(path)});
}

std::wstring mapDrive(const std::wstring& folder) {
    for (wchar_t letter = L'Y'; letter >= L'M'; --letter) {
        const std::wstring drive{letter, L':'};
        if (GetDriveTypeW((drive + L"\\").c_str()) != DRIVE_NO_ROOT_DIR) continue;
        if (unixNameOf()) {
            // Wine finds its drive letters as links in the prefix's "dosdevices" folder.
            std::string devices = unixName(L"C:\\");
            devices.erase(devices.find_last_of('/', devices.size() - 2) + 1);
            const char lower[] = {static_cast<char>(letter - L'A' + 'a'), ':', 0};
            if (!startHostTool("/bin/ln", {"-s", unixName(folder), devices + lower})) continue;
            for (int waited = 0; waited < 10000 && GetFileAttributesW((drive + L"\\").c_str()) == INVALID_FILE_ATTRIBUTES;
                 waited += 10)
                Sleep(10);
        } else {
            DefineDosDeviceW(0, drive.c_str(), folder.c_str());
        }
        if (GetFileAttributesW((drive + L"\\").c_str()) != INVALID_FILE_ATTRIBUTES) return drive;
        unmapDrive(drive);
    }
    return {};
}

void unmapDrive(const std::wstring& drive) {
    if (drive.empty()) return;
    if (unixNameOf()) {
        std::string devices = unixName(L"C:\\");
        devices.erase(devices.find_last_of('/', devices.size() - 2) + 1);
        const char lower[] = {static_cast<char>(drive[0] - L'A' + 'a'), ':', 0};
        startHostTool("/bin/rm", {"-f", devices + lower});
        for (int waited = 0; waited < 10000 && GetFileAttributesW((drive + L"\\").c_str()) != INVALID_FILE_ATTRIBUTES;
             waited += 10)
            Sleep(10);
        return;
    }
    DefineDosDeviceW(DDD_REMOVE_DEFINITION, drive.c_str(), nullptr);
}

namespace {
uint64_t totalBytes(const std::wstring& folder) {
    ULARGE_INTEGER total{};
    return GetDiskFreeSpaceExW(folder.c_str(), nullptr, &total, nullptr) ? total.QuadPart : 0;
}
}  // namespace

SmallDrive::SmallDrive(unsigned kilobytes) {
    if (!unixNameOf()) return;
    folder_ = testRoot() + L"\\small-drive";
    if (!CreateDirectoryW(folder_.c_str(), nullptr)) {
        // A run stopped before its end left its drive mounted here (Wine reuses process ids, so
        // this program's folder may be that run's): take it down first.
        if (GetLastError() != ERROR_ALREADY_EXISTS) return;
        startHostTool("/bin/umount", {unixName(folder_)});
        if (!RemoveDirectoryW(folder_.c_str()) || !CreateDirectoryW(folder_.c_str(), nullptr)) return;
    }
    const uint64_t before = totalBytes(folder_);
    if (!startHostTool("/bin/mount", {"-t", "tmpfs", "-o", "size=" + std::to_string(kilobytes) + "k", "tmpfs",
                                      unixName(folder_)}))
        return;
    // Mounted once the folder reports the small size.
    for (int waited = 0; waited < 10000 && totalBytes(folder_) == before; waited += 10) Sleep(10);
    mounted_ = totalBytes(folder_) == uint64_t{kilobytes} * 1024;
    if (mounted_) drive_ = mapDrive(folder_);
}

SmallDrive::~SmallDrive() {
    unmapDrive(drive_);
    if (mounted_) {
        // A handle the platform has not let go of yet keeps the drive busy, and umount then gives up
        // at once: ask again until the folder no longer reports the small size.
        const uint64_t small = totalBytes(folder_);
        for (int tries = 0; tries < 20 && totalBytes(folder_) == small; ++tries) {
            startHostTool("/bin/umount", {unixName(folder_)});
            for (int waited = 0; waited < 500 && totalBytes(folder_) == small; waited += 10) Sleep(10);
        }
    }
    if (!folder_.empty()) RemoveDirectoryW(folder_.c_str());
}
