#include "launch/MacroExpander.h"
#include "common/PathUtil.h"

namespace {
enum class NameForm { Name, Full, WithoutExtension };  // "c", "f", "x"
enum class PathForm { Long, Short, Quoted };           // "l", "s", "q"

std::wstring quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

std::wstring withoutExtension(std::wstring name) {
    if (const size_t dot = name.rfind(L'.'); dot != std::wstring::npos) name.erase(dot);
    return name;
}

// The platform's short form of a path, or the path itself when the platform has none for it.
std::wstring shortOrSame(const std::wstring& path) {
    std::wstring brief = shortPathName(path);
    return brief.empty() ? path : brief;
}
}  // namespace

struct MacroExpander::Forms {
    NameForm name = NameForm::Name;
    PathForm path = PathForm::Long;
    bool otherPane = false;

    // Takes a modifier character; false when the character is none.
    bool take(wchar_t c) {
        switch (c) {
        case L'c': name = NameForm::Name; return true;
        case L'f': name = NameForm::Full; return true;
        case L'x': name = NameForm::WithoutExtension; return true;
        case L'l': path = PathForm::Long; return true;
        case L's': path = PathForm::Short; return true;
        case L'q': path = PathForm::Quoted; return true;
        case L'o': otherPane = true; return true;
        default: return false;
        }
    }
};

std::optional<std::wstring> MacroExpander::expand(std::wstring_view macro, int& consumed) const {
    std::wstring out;
    size_t i = 0;
    while (i < macro.size()) {
        const wchar_t c = macro[i++];
        if (c != L'$') {
            out.push_back(c);
            continue;
        }
        const size_t start = i - 1;
        Forms forms;
        while (i < macro.size() && forms.take(macro[i])) ++i;
        if (i == macro.size()) {
            // A sequence cut off by the end of the text ("100$") is plain text.
            out.append(macro.substr(start));
            break;
        }
        const wchar_t type = macro[i++];
        switch (type) {
        case L'$': case L'A': case L'C': case L'D': case L'M': case L'P': case L'R':
            if (!appendType(type, forms, out, consumed)) return std::nullopt;
            break;
        default:
            // Kept whole, so a "$" that was never meant as a macro reaches the program as typed.
            out.append(macro.substr(start, i - start));
            break;
        }
    }
    return out;
}

bool MacroExpander::appendType(wchar_t type, const Forms& forms, std::wstring& out, int& consumed) const {
    const std::wstring& base = forms.otherPane ? scene_.otherFolder : scene_.folder;
    switch (type) {
    case L'$': out.push_back(L'$'); return true;
    case L'D': out += rootPrefix(base); return true;
    case L'P':
        if (forms.path == PathForm::Short) out += shortOrSame(base);
        else if (forms.path == PathForm::Quoted) out += quoted(base);
        else out += base;
        return true;
    case L'C':
        if (!scene_.cursor || scene_.cursor->isParent) return false;
        out += entryText(scene_.cursor->name, forms);
        return true;
    case L'A':
        if (scene_.targets.empty()) return false;
        for (size_t t = 0; t < scene_.targets.size(); ++t) {
            if (t > 0) out.push_back(L' ');
            out += entryText(scene_.targets[t], forms, true);
        }
        return true;
    case L'M':
        // A second "$M" after the last target fails rather than start a command missing its argument.
        if (consumed < 0 || static_cast<size_t>(consumed) >= scene_.targets.size()) return false;
        out += entryText(scene_.targets[static_cast<size_t>(consumed)], forms, true);
        ++consumed;
        return true;
    default:  // "R": the sequence itself is removed
        return true;
    }
}

std::wstring MacroExpander::entryText(const std::wstring& name, const Forms& forms, bool target) const {
    if (forms.name == NameForm::Full) {
        const std::wstring& own = target && !scene_.targetFolder.empty() ? scene_.targetFolder : scene_.folder;
        const std::wstring full = ensureTrailingBackslash(forms.otherPane ? scene_.otherFolder : own) + name;
        if (forms.path == PathForm::Short) return shortOrSame(full);
        return forms.path == PathForm::Quoted ? quoted(full) : full;
    }
    std::wstring text = forms.path == PathForm::Short ? shortName(name) : name;
    if (forms.name == NameForm::WithoutExtension) text = withoutExtension(text);
    return forms.path == PathForm::Quoted ? quoted(text) : text;
}

// The entry lives in the active pane's folder whichever folder the sequence names. The listing
// keeps no short names, so the platform is asked for the entry's path; where it has none (the
// entry is gone, or the file system keeps no short names) the long name stands in, since an empty
// argument would name nothing at all.
std::wstring MacroExpander::shortName(const std::wstring& name) const {
    const std::wstring brief = shortPathName(ensureTrailingBackslash(scene_.folder) + name);
    const size_t slash = brief.rfind(L'\\');
    const std::wstring last = slash == std::wstring::npos ? brief : brief.substr(slash + 1);
    return last.empty() ? name : last;
}
