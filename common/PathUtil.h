// Small path helpers for the program's full paths ("C:\dir\name", "\\server\share\dir").
#pragma once
#include <optional>
#include <string>

// Appends a backslash unless the path already ends with one.
std::wstring ensureTrailingBackslash(std::wstring path);

// The root part of a path: "\\server\share" for network paths, "" for a path that starts with a
// single backslash, otherwise everything before the first backslash after the first character ("C:").
std::wstring rootPrefix(const std::wstring& path);

struct SplitPath {
    std::wstring folder;  // up to and including the last backslash
    std::wstring name;    // after it
};
// Splits at the last backslash; none when the path has no backslash.
std::optional<SplitPath> splitPath(const std::wstring& path);

// The process's current directory, empty when it cannot be read.
std::wstring currentDirectory();

// Deletes a file or an empty folder for good (no recycle bin), clearing the read-only attribute
// first. On failure the item keeps the attributes it had.
bool deleteItem(const std::wstring& path);
