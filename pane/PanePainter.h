// Draws a pane by hand for one paint or one partial redraw: header (folder and status line) and
// listing lines in the list font, with the stored colours or, in high contrast, the system's.
#pragma once
#include "common/VisibleName.h"
#include "framework/Handles.h"
#include "listing/FileEntry.h"
#include "pane/PaneColours.h"
#include <windows.h>
#include <memory>
#include <string>

class LinkedFontText;
class PaneListing;
class SettingsFile;

class PanePainter {
public:
    PanePainter(HDC dc, const RECT& client, const LOGFONTW& font, int lineHeight, const SettingsFile& settings);
    ~PanePainter();
    PanePainter(const PanePainter&) = delete;
    PanePainter& operator=(const PanePainter&) = delete;

    // The header: raised button-face block with the folder (path ellipsis) and the status line.
    void drawHeader(const std::wstring& folderText, const std::wstring& statusText);
    // Only the status line, over its own background (after marks changed).
    void redrawStatusLine(const std::wstring& statusText);
    // The listing background between two client y values (clipped to the listing area).
    void fillListingArea(int top, int bottom);
    // One listing line on row `row` (0 = first visible); the cursor line of the active pane is an
    // inverse bar, that of the inactive pane a raised frame.
    void drawLine(int row, const FileEntry& entry, bool cursor, bool active);

    RECT headerRect() const;
    RECT rowRect(int row) const;
    int listingTop() const { return 2 * lineHeight_ + 2; }
    int lineHeight() const { return lineHeight_; }
    const RECT& client() const { return client_; }

private:
    void fill(const RECT& rc, COLORREF colour);
    // The header's path when it holds characters outside the basic plane, cut in its middle.
    void drawPathOutsideTheBasicPlane(const std::wstring& path, const RECT& rc);
    void raisedFrame(const RECT& rc);
    // The runs as drawn in `width` pixels: whole, or cut with an ellipsis after them.
    NameRuns fitRuns(NameRuns runs, int width) const;
    // The same for a text with characters outside the basic plane, measured one character each.
    NameRuns fitRunsOutsideTheBasicPlane(NameRuns runs, const std::wstring& text, int width) const;
    // Made for the first line with such characters, then kept for the rest of the paint.
    LinkedFontText& linkedText() const;
    // The runs side by side from (x, y), markers in their own colour.
    void drawRuns(const NameRuns& runs, int x, int y, COLORREF textColour, COLORREF markerColour);

    HDC dc_;
    RECT client_;
    int lineHeight_;
    const SettingsFile& settings_;
    const PaneColours colours_;
    LOGFONTW logFont_;
    GdiObject<HFONT> font_;
    SelectGuard useFont_;
    mutable std::unique_ptr<LinkedFontText> linkedText_;
};

// The status line of a pane from its listing (asks the volume for free space when nothing is marked).
std::wstring paneStatusText(const PaneListing& listing);
struct PaintedParts {
    bool header = false;
    int lines = 0;
};
// The parts of the pane that `update` touches: the header if it reaches it, the lines it crosses,
// and the background below the last line.
PaintedParts paintPane(PanePainter& painter, const PaneListing& listing, int firstVisible, bool active,
                       const RECT& update);
// One line by display position, when it is on screen (true then).
bool drawPaneLine(PanePainter& painter, const PaneListing& listing, int firstVisible, int displayPosition, bool active);
