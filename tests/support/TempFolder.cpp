#include "support/TempFolder.h"
#include <windows.h>

namespace {
// Paths past MAX_PATH in the long-path form, which the platform takes as it stands.
std::wstring reachable(const std::wstring& path) {
    return path.size() < MAX_PATH || path.rfind(L"\\\\?\\", 0) == 0 ? path : L"\\\\?\\" + path;
}

// Removes a folder and all it holds. Links are removed, never followed: what a link leads to
// lies outside the tests' roots. The long-path form reaches the deepest folders tests make.
void removeTree(const std::wstring& path) {
    const std::wstring longPath = path.rfind(L"\\\\?\\", 0) == 0 ? path : L"\\\\?\\" + path;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((longPath + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = longPath + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            const bool folder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
            if (folder && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) removeTree(child);
            else if (folder) RemoveDirectoryW(child.c_str());
            else DeleteFileW(child.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    SetFileAttributesW(longPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(longPath.c_str());
}

std::wstring modulePath() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

// A folder of this test program's own under `parent`, gone with all it holds when the program ends.
class ProgramRoot {
public:
    explicit ProgramRoot(const std::wstring& parent) {
        const std::wstring program = modulePath();
        std::wstring name = program.substr(program.find_last_of(L'\\') + 1);
        name = name.substr(0, name.find_last_of(L'.'));
        CreateDirectoryW(parent.c_str(), nullptr);
        path_ = parent + L"\\" + name + L"-" + std::to_wstring(GetCurrentProcessId());
        // Wine gives out the same few process ids again and again: this may be what a run that
        // was stopped before its end left behind.
        removeTree(path_);
        CreateDirectoryW(path_.c_str(), nullptr);
        // The program may have been started under a short or differently spelled name: use the long form.
        wchar_t full[MAX_PATH];
        const DWORD length = GetLongPathNameW(path_.c_str(), full, MAX_PATH);
        if (length > 0 && length < MAX_PATH) path_ = full;
    }
    ~ProgramRoot() { removeTree(path_); }
    ProgramRoot(const ProgramRoot&) = delete;
    ProgramRoot& operator=(const ProgramRoot&) = delete;

    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};
}  // namespace

const std::wstring& testRoot() {
    // Directly on the prefix's drive C:. The platform's folder browser walks from the drive root
    // down to its start folder, filling its tree with every folder on the way and their
    // subfolders, and it loses its way when a folder on the way changes (even only its access
    // time) while it does so. On this way lie only the tests' own folders. The temp folder is
    // shared with all else that runs in the prefix, and the way into the build folder passes
    // through the Unix root and the checkout, which builds and everything else on the machine
    // change all the time.
    static const ProgramRoot root(L"C:\\vantor-tests");
    return root.path();
}

const std::wstring& otherDriveTestRoot() {
    // The build folder is reached through drive Z: (the Unix root), and no dialog walks there.
    const std::wstring program = modulePath();
    static const ProgramRoot root(program.substr(0, program.find_last_of(L'\\')) + L"\\vantor-tests");
    return root.path();
}

TempFolder::TempFolder(const std::wstring& root) {
    static unsigned counter = 0;
    do path_ = root + L"\\folder" + std::to_wstring(++counter);
    while (!CreateDirectoryW(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
}

TempFolder::~TempFolder() { removeTree(path_); }

void TempFolder::writeFile(const std::wstring& name, const std::string& bytes) const {
    HANDLE file = CreateFileW(reachable(*this / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

void TempFolder::makeFolder(const std::wstring& name) const {
    CreateDirectoryW(reachable(*this / name).c_str(), nullptr);
}

std::string readFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring readUtf16File(const std::wstring& path) {
    const std::string bytes = readFileBytes(path);
    size_t start = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE' ? 2 : 0;
    std::wstring text;
    for (size_t i = start; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    return text;
}
