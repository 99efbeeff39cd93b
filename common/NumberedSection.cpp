#include "common/NumberedSection.h"
#include "framework/Application.h"

namespace {
std::wstring slotKey(int index) { return L"D" + std::to_wstring(index); }
}  // namespace

void NumberedSection::setSection(const std::wstring& name, int count) {
    section_ = name;
    if (count > 0) slotCount_ = count;
}

void NumberedSection::clearAll() {
    if (Application* app = Application::instance()) app->writeProfileString(section_.c_str(), nullptr, nullptr);
}

std::wstring NumberedSection::read(int index) const {
    Application* app = Application::instance();
    return app ? app->getProfileString(section_.c_str(), slotKey(index).c_str(), L"") : std::wstring();
}

void NumberedSection::write(int index, const std::wstring& text) const {
    if (Application* app = Application::instance())
        app->writeProfileString(section_.c_str(), slotKey(index).c_str(), text.c_str());
}
