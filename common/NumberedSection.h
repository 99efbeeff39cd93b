// A settings section of numbered texts under the keys "D0", "D1", ...: the folder histories,
// the bookmarks and the command history.
#pragma once
#include <string>

class NumberedSection {
public:
    NumberedSection() = default;
    virtual ~NumberedSection() = default;

    // Sets the section name, and the slot count when count is greater than 0.
    virtual void setSection(const std::wstring& name, int count);
    // Removes the whole section from the settings file.
    virtual void clearAll();

    const std::wstring& section() const { return section_; }
    int slotCount() const { return slotCount_; }

    // The value of "D<index>", empty when absent.
    std::wstring read(int index) const;
    // Writes "D<index>"; an empty text leaves the key with an empty value.
    void write(int index, const std::wstring& text) const;

private:
    std::wstring section_ = L"EntryDir";
    int slotCount_ = 100;
};
