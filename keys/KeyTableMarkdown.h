// The user guide's table of the default keys, written from the default key table and the command
// table themselves, and the place in the guide where it stands between two marker lines.
#pragma once
#include "keys/KeyAssign.h"
#include <optional>
#include <string>
#include <string_view>

constexpr std::wstring_view kKeyTableBegin = L"<!-- BEGIN KEY TABLE: written by vantor_keytable, do not edit -->";
constexpr std::wstring_view kKeyTableEnd = L"<!-- END KEY TABLE -->";

// A Markdown table with one row per binding, in table order: the key as people read it, the
// command's name, its short label, its description (lines joined by "<br>") and the parameter.
std::wstring keyTableMarkdown(const KeyAssignList& bindings);

// The text between the marker lines (both lines excluded); nothing when either is missing.
std::optional<std::wstring> keyTableSection(std::wstring_view guide);
// The guide with that text replaced by `table`; nothing when either marker is missing.
std::optional<std::wstring> withKeyTable(std::wstring_view guide, std::wstring_view table);
