// Test helpers for settings files: a fresh UTF-16 INI file in a temp folder.
#pragma once
#include "support/TempFolder.h"
#include <string>

// Writes a settings file holding the byte-order mark and `text` (lines separated by "\r\n").
void writeUtf16Ini(const std::wstring& path, const std::wstring& text);
