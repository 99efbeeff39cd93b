#include "pane/LinkedFontText.h"
#include "common/TextCut.h"
#include <algorithm>
#include <vector>

bool hasSupplementaryCharacter(std::wstring_view text) {
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if (isHighSurrogate(text[i]) && isLowSurrogate(text[i + 1])) return true;
    return false;
}

std::wstring linkedFaceOf(std::wstring_view entry) {
    const size_t comma = entry.find(L',');
    if (comma == std::wstring_view::npos) return {};
    std::wstring_view face = entry.substr(comma + 1);
    face = face.substr(0, face.find(L','));
    const size_t first = face.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return {};
    face = face.substr(first, face.find_last_not_of(L' ') - first + 1);
    return std::wstring(face);
}

std::vector<std::wstring> linkedFaces(const std::wstring& face) {
    static const wchar_t kSystemLink[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink";
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kSystemLink, face.c_str(), RRF_RT_REG_MULTI_SZ, nullptr, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        bytes == 0)
        return {};
    std::wstring list(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kSystemLink, face.c_str(), RRF_RT_REG_MULTI_SZ, nullptr, list.data(),
                     &bytes) != ERROR_SUCCESS)
        return {};
    std::vector<std::wstring> faces;
    for (size_t start = 0; start < list.size() && list[start] != L'\0';) {
        const size_t end = list.find(L'\0', start);
        std::wstring linked = linkedFaceOf(std::wstring_view(list).substr(start, end - start));
        if (!linked.empty() && std::find(faces.begin(), faces.end(), linked) == faces.end())
            faces.push_back(std::move(linked));
        start = end + 1;
    }
    return faces;
}

namespace {
// The script processor's analysis of a short text in the font selected in `dc`; null when it
// cannot analyse it.
SCRIPT_STRING_ANALYSIS analyse(HDC dc, std::wstring_view text) {
    SCRIPT_STRING_ANALYSIS analysis = nullptr;
    const int length = static_cast<int>(text.size());
    if (FAILED(ScriptStringAnalyse(dc, text.data(), length, length * 3 / 2 + 16, -1, SSA_GLYPHS | SSA_FALLBACK, 0,
                                   nullptr, nullptr, nullptr, nullptr, nullptr, &analysis)))
        return nullptr;
    return analysis;
}

// The face and family names the selected font's file gives itself.
std::vector<std::wstring> fileNames(HDC dc) {
    const UINT size = GetOutlineTextMetricsW(dc, 0, nullptr);
    if (size < sizeof(OUTLINETEXTMETRICW)) return {};
    std::vector<BYTE> buffer(size);
    auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
    if (!GetOutlineTextMetricsW(dc, size, metrics)) return {};
    std::vector<std::wstring> names;
    for (const PSTR name : {metrics->otmpFaceName, metrics->otmpFamilyName}) {
        const auto offset = reinterpret_cast<size_t>(name);
        if (offset >= sizeof(OUTLINETEXTMETRICW) && offset < size)
            names.emplace_back(reinterpret_cast<const wchar_t*>(buffer.data() + offset));
    }
    return names;
}

// Selects a font into a device context for the guard's lifetime; a null font changes nothing.
class Selected {
public:
    Selected(HDC dc, HFONT font) : dc_(dc), old_(font ? SelectObject(dc, font) : nullptr) {}
    ~Selected() {
        if (old_) SelectObject(dc_, old_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};
}  // namespace

LinkedFontText::LinkedFontText(HDC dc, const LOGFONTW& font) : dc_(dc), logFont_(font) {
    fonts_.push_back({logFont_.lfFaceName, GdiObject<HFONT>(), nullptr});
}

LinkedFontText::~LinkedFontText() {
    for (LinkedFont& font : fonts_) ScriptFreeCache(&font.cache);
}

void LinkedFontText::loadLinkedFonts() {
    if (linkedLoaded_) return;
    linkedLoaded_ = true;
    // Linked by the name the font was asked for, else by the name the system gives the font it
    // chose, else by the names that font's file gives itself (a substitute's own names).
    std::vector<std::wstring> candidates{logFont_.lfFaceName};
    wchar_t used[LF_FACESIZE] = {};
    if (GetTextFaceW(dc_, LF_FACESIZE, used) > 0) candidates.push_back(used);
    for (std::wstring& name : fileNames(dc_)) candidates.push_back(std::move(name));
    std::vector<std::wstring> faces;
    for (const std::wstring& candidate : candidates)
        if (faces.empty()) faces = linkedFaces(candidate);
    for (const std::wstring& face : faces) {
        LOGFONTW linked = logFont_;
        const size_t length = std::min(face.size(), static_cast<size_t>(LF_FACESIZE - 1));
        std::fill(std::begin(linked.lfFaceName), std::end(linked.lfFaceName), L'\0');
        std::copy_n(face.begin(), length, linked.lfFaceName);
        fonts_.push_back({face, GdiObject<HFONT>(CreateFontIndirectW(&linked)), nullptr});
    }
}

bool LinkedFontText::fontHas(LinkedFont& font, std::wstring_view character) {
    const Selected selected(dc_, font.font.get());
    SCRIPT_ITEM items[4];
    int itemCount = 0;
    const int length = static_cast<int>(character.size());
    if (FAILED(ScriptItemize(character.data(), length, 3, nullptr, nullptr, items, &itemCount)) || itemCount < 1)
        return false;
    WORD glyphs[8], clusters[4];
    SCRIPT_VISATTR attributes[8];
    int glyphCount = 0;
    if (FAILED(ScriptShape(dc_, &font.cache, character.data(), length, 8, &items[0].a, glyphs, clusters, attributes,
                           &glyphCount)) ||
        glyphCount < 1)
        return false;
    SCRIPT_FONTPROPERTIES properties{sizeof(properties)};
    if (FAILED(ScriptGetFontProperties(dc_, &font.cache, &properties))) properties.wgDefault = 0;
    return std::none_of(glyphs, glyphs + glyphCount,
                        [&](WORD glyph) { return glyph == 0 || glyph == properties.wgDefault; });
}

int LinkedFontText::fontFor(std::wstring_view character) {
    if (fontHas(fonts_[0], character)) return 0;
    loadLinkedFonts();
    for (size_t i = 1; i < fonts_.size(); ++i)
        if (fontHas(fonts_[i], character)) return static_cast<int>(i);
    // No font has it: the list font draws its missing-character mark, once.
    return 0;
}

std::wstring LinkedFontText::faceFor(std::wstring_view character) { return fonts_[fontFor(character)].face; }

std::vector<LinkedFontText::Piece> LinkedFontText::pieces(std::wstring_view text) {
    std::vector<Piece> result;
    size_t plainStart = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i + 1 >= text.size() || !isHighSurrogate(text[i]) || !isLowSurrogate(text[i + 1])) continue;
        if (i > plainStart) result.push_back({text.substr(plainStart, i - plainStart), -1});
        const std::wstring_view character = text.substr(i, 2);
        result.push_back({character, fontFor(character)});
        plainStart = ++i + 1;
    }
    if (plainStart < text.size()) result.push_back({text.substr(plainStart), -1});
    return result;
}

int LinkedFontText::pieceWidth(const Piece& piece) {
    if (piece.font < 0) {
        SIZE size{};
        GetTextExtentPoint32W(dc_, piece.text.data(), static_cast<int>(piece.text.size()), &size);
        return size.cx;
    }
    const Selected selected(dc_, fonts_[piece.font].font.get());
    SCRIPT_STRING_ANALYSIS analysis = analyse(dc_, piece.text);
    if (!analysis) return 0;
    const SIZE* size = ScriptString_pSize(analysis);
    const int width = size ? size->cx : 0;
    ScriptStringFree(&analysis);
    return width;
}

int LinkedFontText::width(std::wstring_view text) {
    int total = 0;
    for (const Piece& piece : pieces(text)) total += pieceWidth(piece);
    return total;
}

size_t LinkedFontText::fit(std::wstring_view text, int width) {
    size_t units = 0;
    int used = 0;
    for (const Piece& piece : pieces(text)) {
        if (piece.font < 0) {
            int fitting = 0;
            SIZE size{};
            GetTextExtentExPointW(dc_, piece.text.data(), static_cast<int>(piece.text.size()), width - used, &fitting,
                                  nullptr, &size);
            units += static_cast<size_t>(std::max(fitting, 0));
            if (fitting < static_cast<int>(piece.text.size())) return units;
            used += size.cx;
            continue;
        }
        const int pieceRoom = pieceWidth(piece);
        if (used + pieceRoom > width) return units;
        used += pieceRoom;
        units += piece.text.size();
    }
    return units;
}

int LinkedFontText::draw(int x, int y, std::wstring_view text) {
    for (const Piece& piece : pieces(text)) {
        if (piece.font < 0) {
            TextOutW(dc_, x, y, piece.text.data(), static_cast<int>(piece.text.size()));
            x += pieceWidth(piece);
            continue;
        }
        const Selected selected(dc_, fonts_[piece.font].font.get());
        SCRIPT_STRING_ANALYSIS analysis = analyse(dc_, piece.text);
        if (!analysis) continue;
        ScriptStringOut(analysis, x, y, 0, nullptr, 0, 0, FALSE);
        const SIZE* size = ScriptString_pSize(analysis);
        x += size ? size->cx : 0;
        ScriptStringFree(&analysis);
    }
    return x;
}
