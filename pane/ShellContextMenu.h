// The system's context menu for items of one folder, as the shell builds it, with the command the
// user picks carried out by the shell.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace shell_context_menu {

// Shows the menu for `names` (plain names inside `folder`) at the screen point `at`, owned by
// `owner`; true when a command was chosen and the shell reports it carried out. Nothing is shown
// when the folder or any name cannot be resolved.
bool show(HWND owner, const std::wstring& folder, const std::vector<std::wstring>& names, POINT at);

// Hands a menu message (item drawing, measuring, pop-up initialisation) to the menu that is open,
// if any; false when none is open.
bool forwardMenuMessage(UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace shell_context_menu
