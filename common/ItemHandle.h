// A file or folder opened as itself, for changing it by handle: never the item a link leads to,
// never a neighbour the platform could rewrite its name to ("a." to "a", "CON" to a device).
// Where the platform cannot open a link as itself (it follows it), the link is refused, so a
// job passes it over instead of deleting, moving or changing what lies behind it.
#pragma once
#include "framework/Handles.h"
#include <string>

// Moves the item open as `file` (with DELETE access) to `target`, a full path on the same volume.
bool renameByHandle(HANDLE file, const std::wstring& target, bool replace);
// Deletes the item open as `file` (with DELETE access) with POSIX semantics: its name goes at once,
// though other handles still hold it open, and a read-only item goes too. False where the platform
// or the volume refuses it.
bool deleteAtOnce(HANDLE file);

class ItemHandle {
public:
    // The platform's ERROR_REPARSE_POINT_ENCOUNTERED, which not every header declares.
    static constexpr DWORD kReachedThroughLink = 4395;

    enum Access : DWORD {
        kRemove = DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
        kRename = DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
        kChange = FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
    };

    // Opens `path` when it is the item that resolves to `expected` (its folder's resolved path
    // and its name); with `expected` empty the folder is resolved here. On failure the handle is
    // empty and error() says why: the platform's code, or kReachedThroughLink for
    // an item that could only be reached through a link.
    static ItemHandle open(const std::wstring& path, DWORD access, const std::wstring& expected = {});

    explicit operator bool() const { return static_cast<bool>(handle_); }
    DWORD error() const { return error_; }
    // The item's attributes, read when first asked for; INVALID_FILE_ATTRIBUTES when they cannot be.
    DWORD attributes() const;

    // Deletes the item for good (a folder must be empty), clearing the read-only attribute first;
    // a protected item that is not removed stays protected.
    bool remove();
    // Moves the item to `target` (a full path on the same volume), replacing an existing file
    // only when asked.
    bool renameTo(const std::wstring& target, bool replace);
    // Writes the attributes (FILE_ATTRIBUTE_NORMAL for none).
    bool setAttributes(DWORD attributes);
    // Sets the times given; null ones stay as they are.
    bool setTimes(const FILETIME* creation, const FILETIME* lastAccess, const FILETIME* lastWrite);

private:
    bool fail();

    UniqueHandle handle_;
    DWORD error_ = 0;
    mutable DWORD attributes_ = INVALID_FILE_ATTRIBUTES;
};
