// The settings file beside the executable and the values of "Window", "Color", "Disp" and "Exec"
// read at start-up. Every read and write goes through the platform's private-profile functions,
// which keep the file in UTF-16 because it starts with a byte-order mark.
#pragma once
#include <windows.h>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

// The settings path for an executable: its path with the last three characters replaced by "ini".
std::wstring settingsPathFor(const std::wstring& executablePath);
// The settings path of the running executable; empty when the executable's name cannot be read.
std::wstring settingsPathOfThisProgram();
// Creates the file holding only the UTF-16 byte-order mark when it does not exist yet; an existing
// file is never opened for writing. Failures are ignored (the program then runs on defaults).
void createSettingsFileIfMissing(const std::wstring& path);

// A colour or other value written as bare hexadecimal digits ("c0c0c0"); any other character,
// or no text at all, gives the default. Digits beyond 32 bits shift the high ones out.
uint32_t parseHexValue(std::wstring_view text, uint32_t defaultValue);

class SettingsFile {
public:
    std::wstring path;

    int windowLeft = -1, windowTop = -1, windowRight = -1, windowBottom = -1;
    bool placementValid = false;  // all four edges present
    int paneWidthL = 1, paneWidthR = 1, paneGap = 0;

    COLORREF backColor = 0xC0C0C0;
    COLORREF dirColor = 0x00C000;
    COLORREF hideColor = 0x0000C0;
    COLORREF readOnlyColor = 0xC00000;
    COLORREF systemColor = 0x800080;
    COLORREF normalColor = 0x000000;

    std::wstring timeFormat = L"%y/%m/%d %H:%M";
    int fileSizeCols = 5;
    int fileAttributes = 1;

    std::wstring viewerMacro = L"notepad $C";
    std::wstring viewerDir;
    std::wstring editorMacro = L"notepad $C";
    std::wstring editorDir;

    // Reads the four sections in order; missing keys keep their defaults.
    void load();

    // Integer read; a value outside [minimum, maximum] gives the default.
    int readInt(const wchar_t* section, const wchar_t* key, int defaultValue, int minimum = INT_MIN,
                int maximum = INT_MAX) const;
    // String read into a buffer of `capacity` characters: longer values are cut to capacity - 1.
    std::wstring readString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue,
                            size_t capacity = 1024) const;
    // A folder read whole however long, since a cut folder names another one; empty when absent.
    std::wstring readFolder(const wchar_t* section, const wchar_t* key) const;
    // Hexadecimal read of at most nine characters (see parseHexValue).
    uint32_t readHex(const wchar_t* section, const wchar_t* key, uint32_t defaultValue) const;

    void writeInt(const wchar_t* section, const wchar_t* key, int value) const;   // "%d"
    void writeHex(const wchar_t* section, const wchar_t* key, uint32_t value) const;  // "%x"
    void writeString(const wchar_t* section, const wchar_t* key, const std::wstring& value) const;
};
