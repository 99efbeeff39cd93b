#include "keys/KeyTableMarkdown.h"
#include "keys/CommandTable.h"
#include "keys/KeyNames.h"

namespace {

// A cell's "|" would end the cell, and the other characters would turn plain text into markup.
std::wstring escapedText(std::wstring_view text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (std::wstring_view(L"\\|*_`<>[]#").find(c) != std::wstring_view::npos) out += L'\\';
        out += c;
    }
    return out;
}

// Inside a code span only "|" needs a backslash (tables split rows before spans are read).
std::wstring codeSpan(std::wstring_view text) {
    if (text.empty()) return {};
    std::wstring out = L"`";
    for (wchar_t c : text) {
        if (c == L'|') out += L'\\';
        out += c;
    }
    return out + L"`";
}

std::wstring descriptionCell(const wchar_t* description) {
    std::wstring cell;
    std::wstring_view rest = description ? description : L"";
    while (!rest.empty()) {
        const size_t end = rest.find(L'\n');
        const std::wstring_view line = rest.substr(0, end);
        if (!line.empty()) cell += (cell.empty() ? L"" : L"<br>") + escapedText(line);
        if (end == std::wstring_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return cell;
}

std::wstring orEmpty(const wchar_t* text) { return text ? text : L""; }

}  // namespace

std::wstring keyTableMarkdown(const KeyAssignList& bindings) {
    std::wstring table = L"| キー | 機能名 | 短縮名 | 説明 | パラメタ |\n|---|---|---|---|---|\n";
    for (const KeyAssign& binding : bindings.entries()) {
        table += L"| " + codeSpan(keyDisplayText(binding.modifiers, binding.key)) + L" | " +
                 codeSpan(orEmpty(commandName(binding.command))) + L" | " +
                 escapedText(orEmpty(commandShortLabel(binding.command))) + L" | " +
                 descriptionCell(commandDescription(binding.command)) + L" | " + codeSpan(binding.parameter) + L" |\n";
    }
    return table;
}

namespace {
struct MarkedSpan {
    size_t begin;  // first character after the begin marker's line
    size_t end;    // first character of the end marker
};

std::optional<MarkedSpan> markedSpan(std::wstring_view guide) {
    const size_t beginMarker = guide.find(kKeyTableBegin);
    if (beginMarker == std::wstring_view::npos) return std::nullopt;
    const size_t lineEnd = guide.find(L'\n', beginMarker);
    if (lineEnd == std::wstring_view::npos) return std::nullopt;
    const size_t endMarker = guide.find(kKeyTableEnd, lineEnd);
    if (endMarker == std::wstring_view::npos) return std::nullopt;
    return MarkedSpan{lineEnd + 1, endMarker};
}
}  // namespace

std::optional<std::wstring> keyTableSection(std::wstring_view guide) {
    const std::optional<MarkedSpan> span = markedSpan(guide);
    if (!span) return std::nullopt;
    return std::wstring(guide.substr(span->begin, span->end - span->begin));
}

std::optional<std::wstring> withKeyTable(std::wstring_view guide, std::wstring_view table) {
    const std::optional<MarkedSpan> span = markedSpan(guide);
    if (!span) return std::nullopt;
    return std::wstring(guide.substr(0, span->begin)) + std::wstring(table) + std::wstring(guide.substr(span->end));
}
