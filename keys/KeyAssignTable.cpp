#include "keys/KeyAssignTable.h"
#include "framework/Application.h"
#include "keys/CommandTable.h"
#include "keys/DefaultKeyTable.h"
#include "keys/KeyNames.h"
#include "keys/KeySection.h"

static_assert(KeyModifier::kVirtualKey == FVIRTKEY && KeyModifier::kShift == FSHIFT &&
                  KeyModifier::kCtrl == FCONTROL && KeyModifier::kAlt == FALT,
              "modifier bits go into accelerator records unchanged");

namespace {

// A hand-edited file may hold the section more than once, and each deletion removes only the
// first; a save must not leave stale bindings behind for the next load to find.
constexpr int kMostSectionCopies = 64;

void removeKeySection(const Application& app) {
    for (int copy = 0; copy < kMostSectionCopies; ++copy) {
        if (!app.writeProfileString(kKeySection, nullptr, nullptr)) return;
        if (keySectionEntryNames(app.profilePath()).empty()) return;
    }
}

}  // namespace

void KeyAssignTable::appendDefaults() {
    for (const DefaultKeyAssign& row : defaultKeyTable())
        append({row.modifiers, row.key, row.command, row.parameter ? row.parameter : L"", L""});
}

void KeyAssignTable::load() {
    clear();
    const Application* app = Application::instance();
    if (!app || app->getProfileString(kKeySection, kDefaultAssignEntry, L"Yes") == L"Yes") appendDefaults();
    if (app) {
        for (const std::wstring& name : keySectionEntryNames(app->profilePath())) {
            std::optional<KeySettingsName> parsed = parseKeySettingsText(name);
            if (!parsed) continue;
            KeyAssignValue value = splitKeyAssignValue(keySectionValue(app->profilePath(), name));
            const unsigned command = commandIdOf(value.commandName);
            if (command == 0) continue;
            append({parsed->modifiers, parsed->key, command, std::move(value.parameter), std::move(parsed->caption)});
        }
    }
    buildAccelerators();
}

void KeyAssignTable::save() const {
    const Application* app = Application::instance();
    if (!app) return;
    removeKeySection(*app);
    app->writeProfileString(kKeySection, kDefaultAssignEntry, L"No");
    for (const KeyAssign& entry : entries()) {
        const std::wstring name = storableEntryName(keySettingsText(entry.modifiers, entry.key, entry.caption));
        const wchar_t* command = commandName(entry.command);
        std::wstring value = command ? command : L"";
        if (!entry.parameter.empty()) value += L"," + entry.parameter;
        app->writeProfileString(kKeySection, name.c_str(), value.c_str());
    }
}

void KeyAssignTable::buildAccelerators() {
    destroyAccelerators();
    acceleratorEntries_.reserve(static_cast<size_t>(count()));
    for (const KeyAssign& entry : entries()) {
        if (!entry.parameter.empty()) continue;
        acceleratorEntries_.push_back({entry.modifiers, entry.key, static_cast<WORD>(entry.command & 0xFFFF)});
    }
    if (!acceleratorEntries_.empty())
        accelerators_.reset(CreateAcceleratorTableW(acceleratorEntries_.data(), static_cast<int>(acceleratorEntries_.size())));
    if (!accelerators_) destroyAccelerators();
}

void KeyAssignTable::destroyAccelerators() {
    accelerators_.reset();
    acceleratorEntries_.clear();
    acceleratorEntries_.shrink_to_fit();
}
