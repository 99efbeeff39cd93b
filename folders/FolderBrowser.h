// The platform's folder browser, limited to file-system folders.
#pragma once
#include <windows.h>
#include <string>

// Shows the browser with `folder` preselected when it is not empty. On success `folder` becomes the
// chosen path; on cancel, or a choice without a file-system path, it is left alone and the result is false.
bool browseForFolder(HWND owner, std::wstring& folder);
