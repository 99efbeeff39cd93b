// Names the user types for an item of the shown folder (rename): what makes one unusable, and the
// platform's reason when it refuses one.
#pragma once
#include <windows.h>
#include <string>

// Why `name` cannot name an item of the folder, as the message to show; empty when it can. A name
// must stay in its folder (no "\", "/" or ":"), hold none of the characters the file system
// refuses, and not be one the platform would rewrite: a trailing dot or blank is trimmed, and
// "CON", "aux.txt" and the like name devices.
std::wstring nameRefusal(const std::wstring& name);

// The platform's own text for an error code, for telling the user why it refused.
std::wstring systemErrorText(DWORD error);
