#include "keys/CommandTable.h"
#include "keys/MacroParameter.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

// Records which of its operations was called, so a handler pointer can be told apart.
class RecordingReceiver : public ParameterReceiver {
public:
    void onDriveSelectParameter(const std::wstring& p) override { calls += L"drive:" + p; }
    void onDirDirectParameter(const std::wstring& p) override { calls += L"dir:" + p; }
    void onMacroParameter(const std::wstring& p) override { calls += L"macro:" + p; }
    void onWildcardParameter(const std::wstring& p) override { calls += L"mask:" + p; }
    std::wstring calls;
};

}  // namespace

TEST(CommandTable, IdsAndNamesAreUniqueAndResolveBothWays) {
    EXPECT_EQ(commandTable().size(), 72u);
    std::set<unsigned> ids;
    std::set<std::wstring> names;
    for (size_t row = 0; row < commandTable().size(); ++row) {
        const CommandEntry& entry = commandTable()[row];
        SCOPED_TRACE(entry.name);
        EXPECT_NE(entry.id, 0u);
        EXPECT_TRUE(ids.insert(entry.id).second);
        EXPECT_TRUE(names.insert(entry.name).second);
        EXPECT_EQ(commandIdOf(entry.name), entry.id);
        EXPECT_STREQ(commandName(entry.id), entry.name);
        EXPECT_EQ(commandRowOf(entry.id), static_cast<int>(row));
        ASSERT_NE(entry.shortLabel, nullptr);
        ASSERT_NE(entry.description, nullptr);
    }
}

TEST(CommandTable, NameLookupIsExactAndCaseSensitive) {
    const struct { const wchar_t* name; unsigned id; } rows[] = {
        {L"NONE", ID_NONE},   {L"FILE_COPY", ID_FILE_COPY}, {L"file_copy", 0},   {L"FILE_COPY ", 0},
        {L" FILE_COPY", 0},   {L"FILE_COP", 0},             {L"FILE_COPYX", 0},  {L"", 0},
        {L"APP_ABOUT", ID_APP_ABOUT},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(commandIdOf(r.name), r.id);
    }
}

TEST(CommandTable, UnknownIdentifiersHaveNoTexts) {
    for (unsigned id : {0u, 32792u, 32832u, 32833u, 65535u, 57600u}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(commandName(id), nullptr);
        EXPECT_EQ(commandShortLabel(id), nullptr);
        EXPECT_EQ(commandDescription(id), nullptr);
        EXPECT_TRUE(parameterHandlerOf(id) == nullptr);
        EXPECT_EQ(commandRowOf(id), -1);
    }
}

TEST(CommandTable, ShortLabelsMayRepeat) {
    EXPECT_STREQ(commandShortLabel(ID_UI_MARK), L"MARK");
    EXPECT_STREQ(commandShortLabel(ID_UI_MARK_DOWN), L"MARK");
    EXPECT_STREQ(commandShortLabel(ID_NONE), L"-");
}

TEST(CommandTable, RowOrderIsNotIdentifierOrder) {
    EXPECT_EQ(commandRowOf(ID_TOOL_SHORTCUT), commandRowOf(ID_TOOL_NEWFILE) + 1);
    EXPECT_EQ(commandRowOf(ID_SORT_UI) + 1, commandRowOf(ID_SORT_NONE));
    EXPECT_EQ(commandRowOf(ID_NONE), 0);
    EXPECT_EQ(commandRowOf(ID_APP_ABOUT), 71);
}

TEST(CommandTable, ExactlyFourCommandsTakeAParameterEachToItsOwnHandler) {
    const struct { unsigned id; const wchar_t* call; } rows[] = {
        {ID_DRIVE_SELECT, L"drive:x"},
        {ID_DIR_DIRECT, L"dir:x"},
        {ID_MACRO, L"macro:x"},
        {ID_VIEW_WILDCARD, L"mask:x"},
    };
    int withHandler = 0;
    for (const CommandEntry& entry : commandTable())
        if (entry.parameterHandler) ++withHandler;
    EXPECT_EQ(withHandler, 4);
    for (const auto& r : rows) {
        SCOPED_TRACE(commandName(r.id));
        ParameterHandler handler = parameterHandlerOf(r.id);
        ASSERT_TRUE(handler != nullptr);
        RecordingReceiver receiver;
        (receiver.*handler)(L"x");
        EXPECT_EQ(receiver.calls, r.call);
    }
}

TEST(MacroParameter, FirstBarSeparatesFolderFromCommandLine) {
    const struct { const wchar_t* parameter; const wchar_t* folder; const wchar_t* commandLine; } rows[] = {
        {L"C:\\work|make all", L"C:\\work", L"make all"},
        {L"|notepad $C", L"", L"notepad $C"},
        {L"notepad $C", L"", L"notepad $C"},
        {L"C:\\a|sort | more", L"C:\\a", L"sort | more"},
        {L"C:\\a|", L"C:\\a", L""},
        {L"", L"", L""},
        {L"|", L"", L""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.parameter);
        const MacroParameter split = splitMacroParameter(r.parameter);
        EXPECT_EQ(split.folder, r.folder);
        EXPECT_EQ(split.commandLine, r.commandLine);
    }
}
