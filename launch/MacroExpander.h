// Turns a command line written with "$" sequences into the concrete command line for the active
// pane: its folder or the other pane's, the entry under the cursor, the targets of the run.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An entry of the active pane as a macro sees it.
struct MacroEntry {
    std::wstring name;      // long name, as listed
    bool isParent = false;  // the ".." entry
};

// What one run of a macro works on, gathered once before its first expansion.
struct MacroScene {
    std::wstring folder;                // the active pane's folder, as the pane shows it
    std::wstring otherFolder;           // the other pane's folder
    std::optional<MacroEntry> cursor;   // none when the pane has no cursor entry
    std::vector<std::wstring> targets;  // names of the marked entries in display order, else the cursor entry
    // The folder the targets' names are relative to, when not `folder`: a search's results are named
    // from the folder searched, while "$P" and "$C" take the cursor entry's own folder and name.
    std::wstring targetFolder;
};

class MacroExpander {
public:
    explicit MacroExpander(const MacroScene& scene) : scene_(scene) {}

    // The command line, or none when a sequence has nothing to stand for ("$C" without a usable
    // cursor entry, "$A" or "$M" without targets, "$M" after the last target): then nothing is to
    // be started. `consumed` is how many targets "$M" has used in this run; each "$M" takes the
    // next one. A "$" with an unknown type character stays as written.
    std::optional<std::wstring> expand(std::wstring_view macro, int& consumed) const;

    // Whether a run whose last expansion left `consumed` must expand and start again: only macros
    // with "$M" consume targets, and they go on until every target has been used.
    static bool runsAgain(int consumed, int targetCount) { return consumed > 0 && consumed < targetCount; }

private:
    struct Forms;
    bool appendType(wchar_t type, const Forms& forms, std::wstring& out, int& consumed) const;
    std::wstring entryText(const std::wstring& name, const Forms& forms, bool target = false) const;
    std::wstring shortName(const std::wstring& name) const;

    const MacroScene& scene_;
};
