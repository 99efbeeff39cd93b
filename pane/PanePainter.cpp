#include "pane/PanePainter.h"
#include "common/SettingsFile.h"
#include "common/TextCut.h"
#include "listing/PaneListing.h"
#include "pane/LinkedFontText.h"
#include "pane/ListingLine.h"
#include <algorithm>

PanePainter::PanePainter(HDC dc, const RECT& client, const LOGFONTW& font, int lineHeight,
                         const SettingsFile& settings)
    : dc_(dc), client_(client), lineHeight_(lineHeight), settings_(settings), colours_(paneColours(settings)),
      logFont_(font), font_(CreateFontIndirectW(&font)),
      useFont_(dc, font_.get()) {
    SetBkMode(dc_, TRANSPARENT);
}

PanePainter::~PanePainter() = default;

namespace {
const wchar_t kEllipsis[] = L"\u2026";
}  // namespace

RECT PanePainter::headerRect() const { return {client_.left, 0, client_.right, 2 * lineHeight_ + 2}; }

RECT PanePainter::rowRect(int row) const {
    const int top = row * lineHeight_ + listingTop();
    return {client_.left, top, client_.right, top + lineHeight_};
}

void PanePainter::fill(const RECT& rc, COLORREF colour) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(dc_, &rc, brush.get());
}

void PanePainter::raisedFrame(const RECT& rc) {
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    const COLORREF light = GetSysColor(COLOR_3DLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    const RECT top{rc.left, rc.top, rc.left + width - 1, rc.top + 1};
    const RECT left{rc.left, rc.top, rc.left + 1, rc.top + height - 1};
    const RECT right{rc.right - 1, rc.top, rc.right, rc.bottom};
    const RECT bottom{rc.left, rc.bottom - 1, rc.right, rc.bottom};
    fill(top, light);
    fill(left, light);
    fill(right, shadow);
    fill(bottom, shadow);
}

void PanePainter::drawHeader(const std::wstring& folderText, const std::wstring& statusText) {
    SetTextColor(dc_, GetSysColor(COLOR_BTNTEXT));
    const RECT header = headerRect();
    fill(header, GetSysColor(COLOR_BTNFACE));
    raisedFrame(header);
    RECT path{client_.left + 1, 1, client_.right - 1, lineHeight_ + 1};
    if (hasSupplementaryCharacter(folderText))
        drawPathOutsideTheBasicPlane(folderText, path);
    else
        DrawTextW(dc_, folderText.c_str(), static_cast<int>(folderText.size()), &path,
                  DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS | DT_LEFT);
    RECT status{client_.left + 1, lineHeight_ + 1, client_.right - 1, 2 * lineHeight_ + 1};
    DrawTextW(dc_, statusText.c_str(), static_cast<int>(statusText.size()), &status,
              DT_SINGLELINE | DT_NOPREFIX | DT_LEFT);
}

void PanePainter::drawPathOutsideTheBasicPlane(const std::wstring& path, const RECT& rc) {
    // Cut as the platform cuts the header's path in the plain text output.
    LinkedFontText& linked = linkedText();
    const TextMeasure measure{[&](std::wstring_view text) { return linked.width(text); },
                              [&](std::wstring_view text, int width) { return linked.fit(text, width); }};
    const std::wstring shown = pathCutBeforeName(path, static_cast<int>(rc.right - rc.left), measure);
    const int saved = SaveDC(dc_);
    IntersectClipRect(dc_, rc.left, rc.top, rc.right, rc.bottom);
    linked.draw(rc.left, rc.top, shown);
    RestoreDC(dc_, saved);
}

void PanePainter::redrawStatusLine(const std::wstring& statusText) {
    SetTextColor(dc_, GetSysColor(COLOR_BTNTEXT));
    RECT status{client_.left + 1, lineHeight_ + 1, client_.right - 1, 2 * lineHeight_ + 1};
    fill(status, GetSysColor(COLOR_BTNFACE));
    DrawTextW(dc_, statusText.c_str(), static_cast<int>(statusText.size()), &status,
              DT_SINGLELINE | DT_NOPREFIX | DT_LEFT);
}

void PanePainter::fillListingArea(int top, int bottom) {
    top = std::max(top, listingTop());
    bottom = std::min(bottom, static_cast<int>(client_.bottom));
    if (top < bottom) fill({client_.left, top, client_.right, bottom}, colours_.back);
}

void PanePainter::drawLine(int row, const FileEntry& entry, bool cursor, bool active) {
    const RECT rc = rowRect(row);
    const COLORREF colour = colours_.entry(entry.attributes);
    fill(rc, colours_.back);
    const bool inverse = cursor && active;
    if (inverse) fill(rc, colours_.cursorBar == CLR_INVALID ? colour : colours_.cursorBar);
    // Markers stand apart from the line's own colour; on the cursor bar every run takes the bar's
    // text colour, as the rest of the line does.
    const COLORREF textColour = inverse ? colours_.cursorText : colour;
    const COLORREF markerColour = inverse ? colours_.cursorText : colours_.markerBeside(colour);
    const NameRuns runs = fitRuns(listingLineRuns(entry, LineSettings::from(settings_)), rc.right - rc.left - 1);
    drawRuns(runs, rc.left + 1, rc.top, textColour, markerColour);
    if (cursor && !active) raisedFrame(rc);
}

NameRuns PanePainter::fitRuns(NameRuns runs, int width) const {
    const std::wstring text = joinedText(runs);
    if (hasSupplementaryCharacter(text)) return fitRunsOutsideTheBasicPlane(std::move(runs), text, width);
    int fit = 0;
    SIZE size{};
    GetTextExtentExPointW(dc_, text.c_str(), static_cast<int>(text.size()), width, &fit, nullptr, &size);
    if (fit >= static_cast<int>(text.size())) return runs;
    // Too long: as much as fits beside an ellipsis, cut where the text may be cut.
    SIZE ellipsis{};
    GetTextExtentPoint32W(dc_, kEllipsis, 1, &ellipsis);
    const int room = std::max(width - static_cast<int>(ellipsis.cx), 0);
    GetTextExtentExPointW(dc_, text.c_str(), static_cast<int>(text.size()), room, &fit, nullptr, &size);
    NameRuns cut = cutRuns(runs, static_cast<size_t>(std::max(fit, 0)));
    cut.push_back({kEllipsis, false});
    return cut;
}

LinkedFontText& PanePainter::linkedText() const {
    if (!linkedText_) linkedText_ = std::make_unique<LinkedFontText>(dc_, logFont_);
    return *linkedText_;
}

NameRuns PanePainter::fitRunsOutsideTheBasicPlane(NameRuns runs, const std::wstring& text, int width) const {
    LinkedFontText& linked = linkedText();
    if (linked.width(text) <= width) return runs;
    const int room = std::max(width - linked.width(kEllipsis), 0);
    NameRuns cut = cutRuns(runs, linked.fit(text, room));
    cut.push_back({kEllipsis, false});
    return cut;
}

void PanePainter::drawRuns(const NameRuns& runs, int x, int y, COLORREF textColour, COLORREF markerColour) {
    const auto outsideTheBasicPlane = [](const NameRun& run) { return hasSupplementaryCharacter(run.text); };
    if (std::any_of(runs.begin(), runs.end(), outsideTheBasicPlane)) {
        LinkedFontText& linked = linkedText();
        for (const NameRun& run : runs) {
            SetTextColor(dc_, run.marker ? markerColour : textColour);
            x = linked.draw(x, y, run.text);
        }
        return;
    }
    // Each run starts where the one before it ended: the device context keeps the position.
    const UINT align = SetTextAlign(dc_, TA_UPDATECP);
    MoveToEx(dc_, x, y, nullptr);
    for (const NameRun& run : runs) {
        SetTextColor(dc_, run.marker ? markerColour : textColour);
        TextOutW(dc_, 0, 0, run.text.c_str(), static_cast<int>(run.text.size()));
    }
    SetTextAlign(dc_, align);
}

std::wstring paneStatusText(const PaneListing& listing) {
    if (listing.readingNewFolder()) return L"読み込み中… " + std::to_wstring(listing.entriesReadSoFar()) + L" 件";
    if (const PaneListing::SearchCounts& search = listing.searchCounts(); search.running)
        return L"検索中… " + std::to_wstring(search.folders) + L" フォルダ  " + std::to_wstring(search.found) + L" 件";
    const FileList& list = listing.list();
    const int64_t freeBytes = list.markedCount() > 0 ? 0 : listing.freeBytes();
    const std::wstring text = statusLineText(list.fileCount(), list.markedCount(), list.markedBytes(), freeBytes);
    return listing.statusNote().empty() ? text : text + L"  " + listing.statusNote();
}

PaintedParts paintPane(PanePainter& painter, const PaneListing& listing, int firstVisible, bool active,
                       const RECT& update) {
    PaintedParts painted;
    RECT overlap;
    const RECT header = painter.headerRect();
    if (IntersectRect(&overlap, &header, &update)) {
        const std::wstring title =
            listing.showsResults() ? listing.resultsLabel() : headerFolderText(listing.folder(), listing.mask());
        painter.drawHeader(title, paneStatusText(listing));
        painted.header = true;
    }
    const int top = painter.listingTop();
    const int lineHeight = painter.lineHeight();
    // Only the rows the update rectangle touches are drawn, so a scrolled strip costs a line or two.
    const int firstRow = std::max(static_cast<int>(update.top) - top, 0) / lineHeight;
    const int lastRow = std::max(static_cast<int>(update.bottom) - 1 - top, 0) / lineHeight;
    int drawnBottom = top + firstRow * lineHeight;
    for (int row = firstRow; row <= lastRow; ++row) {
        const int position = firstVisible + row;
        if (position < 0 || position >= listing.count()) break;
        const RECT rc = painter.rowRect(row);
        if (rc.top >= painter.client().bottom) break;
        painter.drawLine(row, *listing.index().entryAt(position), position == listing.cursor(), active);
        drawnBottom = rc.bottom;
        ++painted.lines;
    }
    painter.fillListingArea(std::max(drawnBottom, static_cast<int>(update.top)), update.bottom);
    return painted;
}

bool drawPaneLine(PanePainter& painter, const PaneListing& listing, int firstVisible, int displayPosition,
                  bool active) {
    if (displayPosition < 0 || displayPosition >= listing.count() || displayPosition < firstVisible) return false;
    const int row = displayPosition - firstVisible;
    if (painter.rowRect(row).top >= painter.client().bottom) return false;
    painter.drawLine(row, *listing.index().entryAt(displayPosition), displayPosition == listing.cursor(), active);
    return true;
}
