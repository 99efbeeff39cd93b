// The folders the benchmark measures, made beforehand by scripts/bench.sh under one data root.
#pragma once
#include "bench/BenchClock.h"
#include <string>
#include <vector>

struct BenchFolder {
    std::wstring path;
    int entries;        // files and folders, "." and ".." not counted
    std::string label;  // how the figure lines name it
    int rounds;         // timed rounds of each figure on it
};

// 1,000, 10,000, 100,000 and 1,000,000 empty files, and 100,000 entries of which every tenth is a
// folder.
std::vector<BenchFolder> benchFolders(const std::wstring& dataRoot);
std::wstring emptyFolder(const std::wstring& dataRoot);
std::wstring largestFolder(const std::wstring& dataRoot);
std::wstring mixedFolder(const std::wstring& dataRoot);
std::wstring millionFolder(const std::wstring& dataRoot);
// 100,000 entries in 10,000 folders: 100 folders of 99 folders each, 9 files in every folder.
std::wstring treeFolder(const std::wstring& dataRoot);
// The folders of the copy figures: 1,000 files of 1 MB ("copy1000"), one file of 1 GB ("copy1g").
std::wstring copyFolder(const std::wstring& dataRoot, const wchar_t* name);
// The yardstick of the tree figures: one recursive FindFirstFileExW(FindExInfoBasic,
// FIND_FIRST_EX_LARGE_FETCH) walk that never enters a link; the entries it met.
int rawTreeWalk(const std::wstring& folder);
// The yardstick of the content figures: every file of `folder` read once from start to end, in
// 1 MB reads with FILE_FLAG_SEQUENTIAL_SCAN.
void rawReadFiles(const std::wstring& folder);
