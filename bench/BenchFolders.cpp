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
