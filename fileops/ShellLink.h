// Shell shortcuts (.lnk files): the name one is proposed under, and making one.
#pragma once
#include <string>

// The entry's name without its extension, then ".lnk"; a leading dot does not start an extension,
// so ".profile" gives ".profile.lnk".
std::wstring shortcutFileName(const std::wstring& entryName);

// Saves a shortcut at `linkPath` pointing at `target`; false when the link could not be made or saved.
bool createShortcut(const std::wstring& linkPath, const std::wstring& target);
