// Whether a folder is there, asked without letting a drive hold up the window: the platform call
// runs on a thread of its own, and the window waits for it only briefly. A share that stopped
// answering keeps that thread until the redirector gives up; the window has gone on long before.
#pragma once
#include <windows.h>
#include <functional>
#include <optional>
#include <string>

// How long the window waits for an answer before it goes on without one.
constexpr DWORD kFolderCheckPatienceMs = 50;

// Runs `check` on a thread of its own; its answer, or none when it did not come within `patience`.
std::optional<bool> checkWithin(std::function<bool()> check, DWORD patience = kFolderCheckPatienceMs);

// The checks the pane makes: canListFolder and isExistingFolder. A test puts a probe that blocks in
// place of both; the previous one is given back (null for the platform's own).
using FolderProbe = bool (*)(const std::wstring& folder);
FolderProbe swapFolderProbe(FolderProbe probe);
bool folderListable(const std::wstring& folder);
bool folderExists(const std::wstring& folder);
