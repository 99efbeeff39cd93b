// Small path helpers for the program's full paths ("C:\dir\name", "\\server\share\dir").
#pragma once
#include <optional>
#include <string>

// The form of a full path that the platform takes literally and without a length limit: "C:\a"
// becomes "\\?\C:\a", "\\server\share\a" becomes "\\?\UNC\server\share\a". Without it a name
// with a trailing dot or blank is trimmed ("a." opens "a") and "CON" or "aux.txt" open a device.
// Anything else (already literal, relative) is returned as it is. For file-system calls only;
// paths shown to the user or handed to other programs keep their plain form.
std::wstring literalPath(const std::wstring& path);

// The plain form of a literal path (the reverse of literalPath); other paths are returned as they are.
std::wstring plainPath(const std::wstring& path);

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

// A folder as a pane shows it: without a trailing backslash, except at a root ("C:\", "\\server\share\").
std::wstring withoutTrailingBackslash(std::wstring folder);

// The folder one level up, found in the text alone, so it works for a folder that is gone:
// "C:\a\b" gives "C:\a", "C:\a" gives "C:\"; none at a root.
std::optional<std::wstring> parentFolder(const std::wstring& folder);

// A folder text typed or given for a pane whose folder is `folder`: a drive or network path is
// taken as it is, "\..." starts at the root of the folder's drive, anything else lies below the
// folder. Empty for an empty text.
std::wstring textBelowFolder(const std::wstring& folder, const std::wstring& text);

// The full, normalised form of a path ("." and ".." resolved, "/" as "\", no length limit); a
// relative path is taken against the process's current directory. Empty when it cannot be formed.
std::wstring fullPathName(const std::wstring& path);

// The folder a folder change goes to, as a pane shows it: `text` resolved against `folder` when
// `relative`, else against the process's current directory. Nothing is entered or checked; empty
// when the text cannot be resolved.
std::wstring resolveFolderText(const std::wstring& folder, const std::wstring& text, bool relative);

// The platform's short (8.3) form of an existing path, however long; empty when it cannot be had.
std::wstring shortPathName(const std::wstring& path);

// Whether the path names a folder (not a file) that exists now.
bool isExistingFolder(const std::wstring& path);
// Whether the platform opens the folder for listing (exists, is a folder, reachable, readable).
bool canListFolder(const std::wstring& path);

// The process's current directory, however long; empty when it cannot be read.
std::wstring currentDirectory();
// The full path of the running program's file, however long; empty when it cannot be read.
std::wstring moduleFileName();

// Deletes a file or an empty folder for good (no recycle bin), clearing the read-only attribute
// first. On failure the item keeps the attributes it had. A link is removed as itself or not at
// all: never what it leads to (see ItemHandle).
bool deleteItem(const std::wstring& path);
