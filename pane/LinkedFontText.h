// Text with characters outside the basic plane (emoji, rare kanji such as U+20BB7). The plain text
// output of some platforms (Wine's among them) draws each half of a surrogate pair as a box of its
// own, so such a character is measured and drawn through the script processor as one character:
// in the list font, or, when that font lacks it, in the first font the platform links to it
// (its font-linking list) that has it. Characters of the basic plane keep the plain text output,
// which links fonts by itself.
#pragma once
#include "framework/Handles.h"
#include <windows.h>
#include <usp10.h>
#include <string>
#include <string_view>
#include <vector>

// Whether the text holds a surrogate pair, i.e. a character outside the basic plane.
bool hasSupplementaryCharacter(std::wstring_view text);
// The face of a font-linking entry "FILE.TTF,Face Name[,scale,scale]"; empty when it names none.
std::wstring linkedFaceOf(std::wstring_view entry);
// The faces the platform links to `face`, in its order (none when it links nothing).
std::vector<std::wstring> linkedFaces(const std::wstring& face);

class LinkedFontText {
public:
    // `dc` has `font` selected and keeps it; the linked fonts are made the first time one is needed.
    LinkedFontText(HDC dc, const LOGFONTW& font);
    ~LinkedFontText();
    LinkedFontText(const LinkedFontText&) = delete;
    LinkedFontText& operator=(const LinkedFontText&) = delete;

    int width(std::wstring_view text);
    // How many code units of `text`, from its start, fit in `width` pixels (a surrogate pair is
    // counted whole or not at all).
    size_t fit(std::wstring_view text, int width);
    // Draws `text` at (x, y) in the current text colour; returns the x after it.
    int draw(int x, int y, std::wstring_view text);
    // The face a character (one code point, one or two units) is drawn in.
    std::wstring faceFor(std::wstring_view character);

private:
    struct LinkedFont {
        std::wstring face;
        GdiObject<HFONT> font;  // null for the list font itself (selected in the device context)
        SCRIPT_CACHE cache = nullptr;
    };
    // Pieces of one font each: a run of basic-plane text, or one supplementary character.
    struct Piece {
        std::wstring_view text;
        int font = -1;  // -1: plain text output in the list font; else an index into fonts_
    };
    std::vector<Piece> pieces(std::wstring_view text);
    int fontFor(std::wstring_view character);
    bool fontHas(LinkedFont& font, std::wstring_view character);
    int pieceWidth(const Piece& piece);
    void loadLinkedFonts();

    HDC dc_;
    LOGFONTW logFont_;
    std::vector<LinkedFont> fonts_;  // [0] is the list font; then the linked faces
    bool linkedLoaded_ = false;
};
