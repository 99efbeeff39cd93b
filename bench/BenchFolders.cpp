#include "bench/BenchFolders.h"

std::vector<BenchFolder> benchFolders(const std::wstring& root) {
    return {
        {root + L"\\files1000", 1000, "", kRounds},
        {root + L"\\files10000", 10000, "", kRounds},
        {root + L"\\files100000", 100000, "", kRounds},
        {mixedFolder(root), 100000, "mixed", kRounds},
        {millionFolder(root), 1000000, "", kMillionRounds},
    };
}

std::wstring emptyFolder(const std::wstring& root) { return root + L"\\empty"; }
std::wstring largestFolder(const std::wstring& root) { return root + L"\\files100000"; }
std::wstring mixedFolder(const std::wstring& root) { return root + L"\\mixed100000"; }
std::wstring millionFolder(const std::wstring& root) { return root + L"\\files1000000"; }
std::wstring treeFolder(const std::wstring& root) { return root + L"\\tree100000"; }
std::wstring copyFolder(const std::wstring& root, const wchar_t* name) { return root + L"\\" + name; }

int rawTreeWalk(const std::wstring& folder) {
    int count = 0;
    std::vector<std::wstring> pending{folder + L"\\"};
    while (!pending.empty()) {
        const std::wstring next = std::move(pending.back());
        pending.pop_back();
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileExW((next + L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH);
        if (find == INVALID_HANDLE_VALUE) continue;
        do {
            if (data.cFileName[0] == L'.' && (!data.cFileName[1] || (data.cFileName[1] == L'.' && !data.cFileName[2]))) continue;
            ++count;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                pending.push_back(next + data.cFileName + L"\\");
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    return count;
}

void rawReadFiles(const std::wstring& folder) {
    static std::vector<char> buffer(1 << 20);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        HANDLE file = CreateFileW((folder + L"\\" + data.cFileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        DWORD read = 0;
        while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) && read > 0) {}
        CloseHandle(file);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}
