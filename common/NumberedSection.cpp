#include "common/NumberedSection.h"
#include "framework/Application.h"
#include <windows.h>
#include <vector>

namespace {
std::wstring slotKey(int index) { return L"D" + std::to_wstring(index); }

// Far more copies than any hand-merged file holds; only bounds the loop should a removal fail.
constexpr int kMostSectionCopies = 64;

bool holdsSection(const std::wstring& file, const std::wstring& section) {
    std::vector<wchar_t> names(32768, L'\0');
    const DWORD length = GetPrivateProfileSectionNamesW(names.data(), static_cast<DWORD>(names.size()), file.c_str());
    for (size_t at = 0; at < length && names[at];) {
        const std::wstring name(names.data() + at);
        if (CompareStringOrdinal(name.c_str(), -1, section.c_str(), -1, TRUE) == CSTR_EQUAL) return true;
        at += name.size() + 1;
    }
    return false;
}
}  // namespace

void NumberedSection::setSection(const std::wstring& name, int count) {
    section_ = name;
    if (count > 0) slotCount_ = count;
}

void NumberedSection::clearAll() {
    Application* app = Application::instance();
    if (!app) return;
    // A hand-merged file may hold the section twice, and one removal takes only the first copy:
    // the next would then show its stale entries. Remove copies until none is left.
    for (int copy = 0; copy < kMostSectionCopies; ++copy) {
        if (!app->writeProfileString(section_.c_str(), nullptr, nullptr)) return;
        if (!holdsSection(app->profilePath(), section_)) return;
    }
}

std::wstring NumberedSection::read(int index) const {
    Application* app = Application::instance();
    return app ? app->getProfileString(section_.c_str(), slotKey(index).c_str(), L"") : std::wstring();
}

void NumberedSection::write(int index, const std::wstring& text) const {
    if (Application* app = Application::instance())
        app->writeProfileString(section_.c_str(), slotKey(index).c_str(), text.c_str());
}
