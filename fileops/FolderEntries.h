// Listing a folder for a job's walk, so that a folder which opens but cannot be listed (or whose
// listing breaks off, as on a share that drops) is told as a failure rather than taken for empty.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

// Runs `each` for the entries of `folder` other than "." and "..", until it returns false. 0 when
// the folder was listed to its end or `each` stopped early; else the platform's reason the listing
// failed or broke off.
DWORD forEachEntry(const std::wstring& folder, const std::function<bool(const WIN32_FIND_DATAW&)>& each);
