#include "KeySettingsFile.h"
#include "keys/CommandTable.h"
#include "keys/KeyAssignTable.h"
#include "keys/KeyNames.h"
#include "keys/KeySection.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {

KeyAssignList loaded(KeySettingsFile& file, const std::wstring& text) {
    file.write(text);
    KeyAssignTable table;
    table.load();
    KeyAssignList copy = table;
    return copy;
}

// The lines of the section as `save` should write them for these bindings.
std::wstring sectionLines(const KeyAssignList& list) {
    std::wstring text = L"[Key]\r\nDefaultAssign=No\r\n";
    for (const KeyAssign& entry : list.entries()) {
        text += keySettingsText(entry.modifiers, entry.key, entry.caption) + L"=" + commandName(entry.command);
        if (!entry.parameter.empty()) text += L"," + entry.parameter;
        text += L"\r\n";
    }
    return text;
}

}  // namespace

TEST(KeyAssignTableLoad, AbsentSectionGivesExactlyTheDefaults) {
    KeySettingsFile file;
    EXPECT_EQ(loaded(file, L"[Other]\r\nA=FILE_COPY\r\n"), defaultBindings());
    EXPECT_EQ(loaded(file, L""), defaultBindings());
    EXPECT_EQ(defaultBindings().count(), 70);
}

TEST(KeyAssignTableLoad, OnlyTheExactYesMergesTheDefaults) {
    KeySettingsFile file;
    const struct { const wchar_t* value; int count; } rows[] = {
        {L"Yes", 71}, {L"yes", 1}, {L"YES", 1}, {L"No", 1}, {L"", 1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.value);
        const KeyAssignList list = loaded(file, std::wstring(L"[Key]\r\nDefaultAssign=") + r.value + L"\r\nZ=FILE_COPY\r\n");
        ASSERT_EQ(list.count(), r.count);
        EXPECT_EQ(list.at(r.count - 1), (KeyAssign{1, 'Z', ID_FILE_COPY, L"", L""}));
    }
}

TEST(KeyAssignTableLoad, ReadsEntryNamesAndValuesAndSavesTheirCanonicalForm) {
    KeySettingsFile file;
    // `saved` is the line the next save writes; a rejected entry leaves none.
    const struct { const wchar_t* line; const wchar_t* saved; KeyAssign entry; } rows[] = {
        {L"^+A=FILE_COPY", L"+^A=FILE_COPY", {0x0D, 'A', ID_FILE_COPY, L"", L""}},
        {L"+^A=FILE_COPY", L"+^A=FILE_COPY", {0x0D, 'A', ID_FILE_COPY, L"", L""}},
        {L"%+^F1.x=FILE_COPY", L"+%^F1.x=FILE_COPY", {0x1D, VK_F1, ID_FILE_COPY, L"", L"x"}},
        {L"0xdc=DIR_ROOT", L"0xDC=DIR_ROOT", {0x01, 0xDC, ID_DIR_ROOT, L"", L""}},
        {L"0xDC=DIR_ROOT", L"0xDC=DIR_ROOT", {0x01, 0xDC, ID_DIR_ROOT, L"", L""}},
        {L"0x4c=DRIVE_SELECT", L"L=DRIVE_SELECT", {0x01, 'L', ID_DRIVE_SELECT, L"", L""}},
        {L"0x13=FILE_COPY", L"0x13=FILE_COPY", {0x01, 0x13, ID_FILE_COPY, L"", L""}},
        {L"0xE8=FILE_COPY", L"0xe8=FILE_COPY", {0x01, 0xE8, ID_FILE_COPY, L"", L""}},
        {L"F1.=FILE_COPY", L"F1=FILE_COPY", {0x01, VK_F1, ID_FILE_COPY, L"", L""}},
        {L"F1.a.b=FILE_COPY", L"F1.a.b=FILE_COPY", {0x01, VK_F1, ID_FILE_COPY, L"", L"a.b"}},
        {L"%F1.ヘルプ=APP_ABOUT", L"%F1.ヘルプ=APP_ABOUT", {0x11, VK_F1, ID_APP_ABOUT, L"", L"ヘルプ"}},
        {L"A=MACRO,a,b", L"A=MACRO,a,b", {0x01, 'A', ID_MACRO, L"a,b", L""}},
        {L"A=MACRO,", L"A=MACRO", {0x01, 'A', ID_MACRO, L"", L""}},
        {L"A=NONE", L"A=NONE", {0x01, 'A', ID_NONE, L"", L""}},
        {L"0x5=FILE_COPY", nullptr, {}},
        {L"0x123=FILE_COPY", nullptr, {}},
        {L"0x00=FILE_COPY", nullptr, {}},
        {L".F1=FILE_COPY", nullptr, {}},
        {L"^=FILE_COPY", nullptr, {}},
        {L"a=FILE_COPY", nullptr, {}},
        {L"A=file_copy", nullptr, {}},
        {L"A=", nullptr, {}},
        {L"A=,FILE_COPY", nullptr, {}},
        {L"A", nullptr, {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.line);
        file.write(std::wstring(L"[Key]\r\nDefaultAssign=No\r\n") + r.line + L"\r\n");
        KeyAssignTable table;
        table.load();
        ASSERT_EQ(table.count(), r.saved ? 1 : 0);
        if (r.saved) {
            EXPECT_EQ(table.at(0), r.entry);
        }

        table.save();
        const std::wstring saved = std::wstring(L"[Key]\r\nDefaultAssign=No\r\n") + (r.saved ? r.saved : L"");
        EXPECT_EQ(file.text().substr(0, saved.size()), saved);
        EXPECT_EQ(file.text().find_first_not_of(L"\r\n", saved.size()), std::wstring::npos);
        KeyAssignTable reloaded;
        reloaded.load();
        EXPECT_EQ(static_cast<const KeyAssignList&>(reloaded), static_cast<const KeyAssignList&>(table));
    }
}

TEST(KeyAssignTableLoad, KeepsFileOrderAndDuplicateKeys) {
    KeySettingsFile file;
    const KeyAssignList list = loaded(file, L"[Key]\r\nDefaultAssign=No\r\nB=FILE_MOVE\r\nbogus=FILE_COPY\r\n"
                                            L"A=FILE_COPY\r\nA.x=FILE_DELETE\r\n");
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.at(0).key, 'B');
    EXPECT_EQ(list.at(1).command, static_cast<unsigned>(ID_FILE_COPY));
    EXPECT_EQ(list.at(2).command, static_cast<unsigned>(ID_FILE_DELETE));
    EXPECT_EQ(list.find(1, 'A'), 1);
}

TEST(KeyAssignTableLoad, ALineWithoutNameHidesNoLaterEntry) {
    KeySettingsFile file;
    const KeyAssignList list = loaded(file, L"[Key]\r\nDefaultAssign=No\r\nA=FILE_COPY\r\n=FILE_MOVE\r\nB=FILE_MOVE\r\n");
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.at(1).key, 'B');
}

TEST(KeyAssignTableLoad, ANameCutAtTheEndOfTheNameListBindsNothing) {
    // Four names fill the list up to two characters before its end; the next name, F12, can then
    // only show as "F1", which must not turn into a binding of F1.
    KeySettingsFile file;
    std::wstring text = L"[Key]\r\n";
    const size_t fillerLength = (kKeyNameListCapacity - 4) / 4 - 1;
    for (int i = 0; i < 4; ++i) {
        std::wstring name = L"F3." + std::to_wstring(i);
        name.resize(fillerLength, L'x');
        text += name + L"=FILE_COPY\r\n";
    }
    text += L"F12=FILE_MOVE\r\nDefaultAssign=No\r\n";
    const KeyAssignList list = loaded(file, text);
    // The list does end in the cut name, so the case is really met.
    const std::vector<std::wstring> names = keySectionEntryNames(file.app().profilePath());
    ASSERT_EQ(names.size(), 5u);
    EXPECT_EQ(names.back(), L"F1");
    EXPECT_EQ(list.count(), 4);
    EXPECT_EQ(list.find(1, VK_F1), -1);
    EXPECT_EQ(list.find(1, VK_F3), 0);
}

TEST(KeyAssignTableSave, FirstSaveOfTheDefaultsWritesThemAllInTableOrder) {
    KeySettingsFile file;
    file.write(L"");
    KeyAssignTable table;
    table.load();
    table.save();
    const std::wstring text = file.text();
    const std::wstring expected = sectionLines(defaultBindings());
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    EXPECT_EQ(text.find_first_not_of(L"\r\n", expected.size()), std::wstring::npos);

    const wchar_t* lines[] = {
        L"[Key]\r\nDefaultAssign=No\r\nLeft=UI_ACTIVE_TOGGLE\r\nRight=UI_ACTIVE_TOGGLE\r\nTab=UI_MARK\r\n"
        L"Space=UI_MARK_DOWN\r\n",
        L"\r\n+PageUp=UI_CUR_TOP\r\n", L"\r\n%Enter=FILE_PROPERTY\r\n", L"\r\n^T=FILE_TIMESTAMP\r\n",
        L"\r\nNum1=DRIVE_SELECT,a:\r\n", L"\r\nNum9=DRIVE_SELECT,i:\r\n", L"\r\n0xDC=DIR_ROOT\r\n",
        L"\r\nBack=DIR_PARENT\r\n", L"\r\n^Insert=EDIT_COPY\r\n", L"\r\nF12=OPT_SETUP_KEY\r\nF1=APP_ABOUT\r\n",
    };
    for (const wchar_t* line : lines) {
        SCOPED_TRACE(line);
        EXPECT_NE(text.find(line), std::wstring::npos);
    }

    // From now on the file holds the complete table and nothing is merged twice.
    KeyAssignTable again;
    again.load();
    EXPECT_EQ(static_cast<const KeyAssignList&>(again), defaultBindings());
}

TEST(KeyAssignTableSave, DefaultsAndAStoredEntryOfTheSameKeyBecomeOneEntry) {
    KeySettingsFile file;
    file.write(L"[Key]\r\nDefaultAssign=Yes\r\nC=FILE_MOVE\r\n");
    KeyAssignTable table;
    table.load();
    ASSERT_EQ(table.count(), 71);
    EXPECT_EQ(table.at(table.find(1, 'C')).command, static_cast<unsigned>(ID_FILE_COPY));
    EXPECT_EQ(table.at(70), (KeyAssign{1, 'C', ID_FILE_MOVE, L"", L""}));

    table.save();
    const std::wstring text = file.text();
    EXPECT_NE(text.find(L"DefaultAssign=No\r\n"), std::wstring::npos);
    EXPECT_EQ(text.find(L"DefaultAssign=Yes"), std::wstring::npos);
    EXPECT_EQ(text.find(L"\r\nC=FILE_COPY"), std::wstring::npos);
    // The single C keeps the place of the default, right before M and well before A.
    ASSERT_NE(text.find(L"\r\nA=FILE_ATTRIBUTES\r\n"), std::wstring::npos);
    EXPECT_LT(text.find(L"\r\nC=FILE_MOVE\r\nM=FILE_MOVE\r\n"), text.find(L"\r\nA=FILE_ATTRIBUTES\r\n"));

    KeyAssignTable reloaded;
    reloaded.load();
    ASSERT_EQ(reloaded.count(), 70);
    EXPECT_EQ(reloaded.at(17), (KeyAssign{1, 'C', ID_FILE_MOVE, L"", L""}));
}

TEST(KeyAssignTableSave, EntriesWithTheSameNameShareTheEarlierPlaceWithTheLaterValue) {
    KeySettingsFile file;
    file.write(L"");
    KeyAssignTable table;
    table.append({1, 'A', ID_FILE_COPY, L"", L""});
    table.append({1, 'B', ID_FILE_EDIT, L"", L""});
    table.append({1, 'A', ID_MACRO, L"|cmd", L""});
    table.save();
    const std::wstring expected = L"[Key]\r\nDefaultAssign=No\r\nA=MACRO,|cmd\r\nB=FILE_EDIT\r\n";
    EXPECT_EQ(file.text().substr(0, expected.size()), expected);
    EXPECT_EQ(file.text().find(L"FILE_COPY"), std::wstring::npos);
}

TEST(KeyAssignTableSave, NothingOfABindingIsLostThatTheFileCanHold) {
    KeySettingsFile file;
    file.write(L"");
    const std::wstring longParameter = L"|" + std::wstring(9000, L'p') + L" end";
    KeyAssignTable table;
    table.append({0x01, VK_F1, ID_FILE_COPY, L"", L"a=b"});
    table.append({0x01, VK_F2, ID_MACRO, longParameter, L""});
    table.append({0x01, VK_F3, ID_DIR_DIRECT, L"C:\\a b,c", L"ラベル ."});
    table.save();

    KeyAssignTable reloaded;
    reloaded.load();
    ASSERT_EQ(reloaded.count(), 3);
    // An entry name ends at its first "=", so the caption loses it rather than the binding
    // losing its command.
    EXPECT_EQ(reloaded.at(0), (KeyAssign{0x01, VK_F1, ID_FILE_COPY, L"", L"ab"}));
    EXPECT_EQ(reloaded.at(1).parameter, longParameter);
    EXPECT_EQ(reloaded.at(2), table.at(2));
}

TEST(KeyAssignTableSave, ReplacesEveryCopyOfTheSectionAndNothingElse) {
    KeySettingsFile file;
    file.write(L"[Key]\r\nDefaultAssign=No\r\nA=FILE_COPY\r\n[Disp]\r\nTimeFormat=1\r\n[Key]\r\nB=FILE_MOVE\r\n");
    KeyAssignTable table;
    table.load();
    table.clear();
    table.append({1, 'C', ID_FILE_DELETE, L"", L""});
    table.save();

    const std::wstring text = file.text();
    EXPECT_EQ(text.find(L"A=FILE_COPY"), std::wstring::npos);
    EXPECT_EQ(text.find(L"B=FILE_MOVE"), std::wstring::npos);
    EXPECT_EQ(text.find(L"[Key]"), text.rfind(L"[Key]"));
    EXPECT_EQ(file.app().getProfileString(L"Disp", L"TimeFormat"), L"1");
    KeyAssignTable reloaded;
    reloaded.load();
    EXPECT_EQ(static_cast<const KeyAssignList&>(reloaded), static_cast<const KeyAssignList&>(table));
}
