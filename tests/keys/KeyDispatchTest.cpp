#include "keys/CommandTable.h"
#include "keys/KeyDispatch.h"
#include "keys/MenuKeyText.h"
#include "resource.h"
#include "KeySettingsFile.h"
#include <gtest/gtest.h>

namespace {

class DriveReceiver : public ParameterReceiver {
public:
    void onDriveSelectParameter(const std::wstring& p) override { drive = p; }
    void onDirDirectParameter(const std::wstring&) override {}
    void onMacroParameter(const std::wstring&) override {}
    void onWildcardParameter(const std::wstring&) override {}
    std::wstring drive;
};

}  // namespace

TEST(KeyDispatch, ModifiersByteFollowsTheMessageKind) {
    const struct { bool virtualKey, alt, ctrl, shift; std::uint8_t modifiers; } rows[] = {
        {true, false, false, false, 0x01}, {false, false, false, false, 0x00}, {true, false, true, true, 0x0D},
        {true, true, true, true, 0x1D},    {false, true, false, true, 0x14},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(int(r.modifiers));
        EXPECT_EQ(dispatchModifiers(r.virtualKey, r.alt, r.ctrl, r.shift), r.modifiers);
    }
}

TEST(KeyDispatch, DefaultNumPadKeyCallsTheDriveHandlerWithItsParameter) {
    const KeyAssignList table = defaultBindings();
    const KeyDispatch numOne = decideKeyDispatch(table, 0x01, VK_NUMPAD1);
    ASSERT_EQ(numOne.action, KeyDispatchAction::callParameterHandler);
    ASSERT_TRUE(numOne.handler != nullptr);
    DriveReceiver pane;
    (pane.*numOne.handler)(numOne.parameter);
    EXPECT_EQ(pane.drive, L"a:");

    // L has no parameter: should it ever reach the pane, it goes out as a command message.
    const KeyDispatch l = decideKeyDispatch(table, 0x01, 'L');
    EXPECT_EQ(l.action, KeyDispatchAction::postCommand);
    EXPECT_EQ(l.command, static_cast<unsigned>(ID_DRIVE_SELECT));
}

TEST(KeyDispatch, DecidesByTheFirstExactMatch) {
    KeyAssignList table;
    table.append({0x01, VK_F2, ID_NONE, L"x", L""});
    table.append({0x01, VK_F3, ID_NONE, L"", L""});
    table.append({0x01, VK_F4, ID_FILE_COPY, L"ignored", L""});
    table.append({0x01, VK_F6, 0, L"x", L""});
    table.append({0x0D, VK_F5, ID_MACRO, L"|cmd", L""});
    table.append({0x09, VK_F5, ID_FILE_MOVE, L"p", L""});
    table.append({0x01, VK_F7, ID_DIR_DIRECT, L"C:\\", L""});
    table.append({0x01, VK_F7, ID_FILE_COPY, L"later", L""});
    table.append({0x01, VK_F8, ID_VIEW_WILDCARD, L"", L""});

    const struct { std::uint8_t modifiers; std::uint16_t key; KeyDispatchAction action; unsigned command; } rows[] = {
        {0x01, VK_F2, KeyDispatchAction::notHandled, ID_NONE},
        {0x01, VK_F3, KeyDispatchAction::notHandled, ID_NONE},
        {0x01, VK_F4, KeyDispatchAction::postCommand, ID_FILE_COPY},
        {0x01, VK_F6, KeyDispatchAction::notHandled, 0},
        {0x0D, VK_F5, KeyDispatchAction::callParameterHandler, ID_MACRO},
        {0x05, VK_F5, KeyDispatchAction::notHandled, 0},
        {0x09, VK_F5, KeyDispatchAction::postCommand, ID_FILE_MOVE},
        {0x01, VK_F7, KeyDispatchAction::callParameterHandler, ID_DIR_DIRECT},
        // Reached only without accelerators: it must not hand the mask handler an empty text.
        {0x01, VK_F8, KeyDispatchAction::postCommand, ID_VIEW_WILDCARD},
        // A character message carries no virtual-key bit and so matches no stored binding.
        {0x00, VK_F4, KeyDispatchAction::notHandled, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << int(r.modifiers) << " " << r.key);
        const KeyDispatch decision = decideKeyDispatch(table, r.modifiers, r.key);
        EXPECT_EQ(decision.action, r.action);
        EXPECT_EQ(decision.command, r.command);
        EXPECT_EQ(decision.handler != nullptr, decision.action == KeyDispatchAction::callParameterHandler);
    }
}

TEST(MenuKeyText, AppendsTheFirstBindingWithoutParameterAndDropsStaleKeyTexts) {
    KeyAssignList table;
    table.append({0x09, 'C', ID_FILE_COPY, L"x", L""});
    table.append({0x01, VK_F5, ID_FILE_COPY, L"", L""});
    table.append({0x05, VK_F5, ID_FILE_COPY, L"", L""});
    table.append({0x09, 'X', ID_EDIT_CUT, L"", L""});
    table.append({0x01, VK_F9, ID_MACRO, L"|cmd", L""});

    const struct { const wchar_t* text; unsigned id; bool changed; const wchar_t* result; } rows[] = {
        {L"複写(&C)", ID_FILE_COPY, true, L"複写(&C)\tF5"},
        {L"複写(&C)\tF5", ID_FILE_COPY, true, L"複写(&C)\tF5"},
        {L"切り取り(&T)\tCtrl+X", ID_EDIT_CUT, true, L"切り取り(&T)\tCtrl+X"},
        {L"貼り付け(&P)\tCtrl+V", ID_EDIT_PASTE, true, L"貼り付け(&P)"},
        {L"a\tb\tc", ID_EDIT_PASTE, true, L"a"},
        {L"\tCtrl+V", ID_EDIT_PASTE, true, L""},
        {L"移動(&M)", ID_FILE_MOVE, false, L""},
        {L"ｺﾏﾝﾄﾞ(&X)", ID_MACRO, false, L""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        const auto text = menuItemTextWithKey(r.text, table, r.id);
        ASSERT_EQ(text.has_value(), r.changed);
        if (text) {
            EXPECT_EQ(*text, r.result);
        }
    }
}
