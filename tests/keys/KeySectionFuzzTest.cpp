#include "KeySettingsFile.h"
#include "keys/CommandTable.h"
#include "keys/KeyAssignTable.h"
#include "keys/KeyNames.h"
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

// Characters that matter to the section's grammar, plus some that do not.
constexpr std::wstring_view kAlphabet = L"+%^.,|=;[]\" \\0123xXFaAzZmN_ｱあ\t";

class RandomText {
public:
    explicit RandomText(unsigned seed) : random_(seed) {}

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }

    std::wstring junk(int longest) {
        std::wstring text;
        for (int n = below(longest + 1); n > 0; --n) text += kAlphabet[static_cast<size_t>(below(int(kAlphabet.size())))];
        return text;
    }

    std::wstring entryName() {
        std::wstring name;
        for (int n = below(4); n > 0; --n) name += L"+%^"[below(3)];
        switch (below(4)) {
        case 0: name += keyNameTable()[static_cast<size_t>(below(int(keyNameTable().size())))].settingsName; break;
        case 1: name += L"0x" + hexDigit() + hexDigit(); break;
        case 2: name += junk(4); break;
        default: break;
        }
        if (below(3) == 0) name += L"." + junk(6);
        return name;
    }

    std::wstring value() {
        std::wstring text;
        if (below(6) == 0) text = junk(8);
        else text = commandTable()[static_cast<size_t>(below(int(commandTable().size())))].name;
        if (below(3) == 0) text += L"," + junk(10);
        return text;
    }

private:
    std::wstring hexDigit() { return std::wstring(1, L"0123456789abcdefABCDEFg"[below(23)]); }

    std::mt19937 random_;
};

}  // namespace

TEST(KeySectionFuzz, RandomSectionsLoadSoundlyAndSettleAfterTheFirstSave) {
    RandomText random(20240611);
    KeySettingsFile file;
    const wchar_t* defaultAssign[] = {nullptr, L"Yes", L"yes", L"No"};
    int entriesWritten = 0;
    for (int round = 0; round < 160; ++round) {
        SCOPED_TRACE(round);
        std::wstring text = L"[Key]\r\n";
        const int choice = random.below(4);
        const int entries = random.below(31);
        for (int i = 0; i < entries; ++i) {
            if (defaultAssign[choice] && i == entries / 2) text += std::wstring(L"DefaultAssign=") + defaultAssign[choice] + L"\r\n";
            text += random.entryName() + L"=" + random.value() + L"\r\n";
        }
        entriesWritten += entries;
        file.write(text);

        KeyAssignTable table;
        table.load();
        for (const KeyAssign& entry : table.entries()) {
            EXPECT_EQ(entry.modifiers & ~0x1D, 0);
            EXPECT_NE(entry.modifiers & 0x01, 0);
            EXPECT_GT(entry.key, 0);
            EXPECT_LE(entry.key, 0xFF);
            EXPECT_NE(commandName(entry.command), nullptr);
        }
        table.save();
        const std::wstring saved = file.text();

        KeyAssignTable reloaded;
        reloaded.load();
        reloaded.save();
        ASSERT_EQ(file.text(), saved) << "from:\n" << testing::PrintToString(text);
    }
    EXPECT_GT(entriesWritten, 2000);
}

TEST(KeySectionFuzz, RandomEntryNamesParseSoundlyAndWriteBackTheSame) {
    RandomText random(7);
    int parsedCount = 0;
    for (int i = 0; i < 6000; ++i) {
        const std::wstring text = i % 2 ? random.entryName() : random.junk(10);
        SCOPED_TRACE(testing::PrintToString(text));
        const auto parsed = parseKeySettingsText(text);
        if (!parsed) continue;
        ++parsedCount;
        EXPECT_EQ(parsed->modifiers & ~0x1D, 0);
        EXPECT_NE(parsed->modifiers & 0x01, 0);
        EXPECT_NE(parsed->key, 0);
        EXPECT_FALSE(keyDisplayText(parsed->modifiers, parsed->key).empty());

        const auto again = parseKeySettingsText(keySettingsText(parsed->modifiers, parsed->key, parsed->caption));
        ASSERT_TRUE(again.has_value());
        EXPECT_EQ(again->modifiers, parsed->modifiers);
        EXPECT_EQ(again->key, parsed->key);
        EXPECT_EQ(again->caption, parsed->caption);
    }
    EXPECT_GT(parsedCount, 1000);
}
