#include "ModifierBytes.h"
#include "keys/KeyAssignTable.h"
#include "keys/KeyTableMarkdown.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <iterator>

namespace {
// The source tree's file as text (Wine maps the Unix root to drive Z:).
std::wstring sourceFileText(const char* relative) {
    std::wstring path = L"Z:";
    for (char c : std::string(VANTOR_SOURCE_UNIX_DIR) + "/" + relative)
        path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
    std::ifstream in(path.c_str(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                        text.data(), static_cast<int>(text.size()))));
    return text;
}
}  // namespace

TEST(KeyTableMarkdown, TheGuideHoldsTheTableOfTheDefaultKeysAsTheCodeMakesIt) {
    KeyAssignTable defaults;  // no application object: exactly the built-in defaults
    defaults.load();
    const std::optional<std::wstring> inGuide = keyTableSection(sourceFileText("docs/guide.md"));
    ASSERT_TRUE(inGuide.has_value()) << "docs/guide.md lost its key table markers";
    EXPECT_EQ(*inGuide, keyTableMarkdown(defaults))
        << "the guide's key table is out of date: cmake --build build --target guide";
}

TEST(KeyTableMarkdown, ARowShowsKeyCommandLabelDescriptionAndParameterWithMarkupEscaped) {
    const struct { KeyAssign binding; const wchar_t* row; } rows[] = {
        {{kVk, 0xDC, ID_DIR_ROOT, L"", L""}, L"| `\\` | `DIR_ROOT` | / | ルートディレクトリ |  |"},
        {{kShift, VK_PRIOR, ID_UI_CUR_TOP, L"", L""}, L"| `Shift+PageUp` | `UI_CUR_TOP` | 最上 | カーソル移動(最上) |  |"},
        {{kVk, 0x61, ID_DRIVE_SELECT, L"a:", L""},
         L"| `NUM 1` | `DRIVE_SELECT` | DRIVE | ドライブ変更<br>パラメタでドライブを指定可能 | `a:` |"},
        {{kVk, 'Z', ID_VIEW_ALLCARD, L"", L""}, L"| `Z` | `VIEW_ALLCARD` | \\*.\\* | マスク解除 |  |"},
        {{kVk, 'X', ID_MACRO, L"C:\\a|cmd $C", L""},
         L"| `X` | `MACRO` | コマンド | 外部ｱﾌﾟﾘｹｰｼｮﾝの実行<br>パラメタでコマンドを記述可能<br>"
         L"$D:drive $P:path $C:file $A:選択<br>$fC:フルパス $qC:\"～\" など | `C:\\a\\|cmd $C` |"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(&r - rows));
        KeyAssignList one;
        one.append(r.binding);
        const std::wstring table = keyTableMarkdown(one);
        EXPECT_EQ(table.substr(table.find(L"|---|---|---|---|---|\n") + 22), std::wstring(r.row) + L"\n");
    }
    EXPECT_FALSE(withKeyTable(L"no markers here", L"x").has_value());
    const std::wstring guide = std::wstring(L"a\n") + std::wstring(kKeyTableBegin) + L"\nold\n" +
                               std::wstring(kKeyTableEnd) + L"\nb\n";
    EXPECT_EQ(withKeyTable(guide, L"new\n"), std::wstring(L"a\n") + std::wstring(kKeyTableBegin) + L"\nnew\n" +
                                                 std::wstring(kKeyTableEnd) + L"\nb\n");
}
