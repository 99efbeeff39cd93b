// A file pane: lists one folder, draws it by hand, and carries out the listing commands
// (re-read, mask, sort, marks) and the cursor commands.
#pragma once
#include "framework/View.h"
#include "keys/ParameterReceiver.h"
#include "pane/PaneListing.h"

class CVantorView : public View, public PaneHost, public ParameterReceiver {
public:
    CVantorView();

    PaneListing& listing() { return listing_; }
    const PaneListing& listing() const { return listing_; }
    int paneIndex() const { return listing_.paneIndex(); }
    int firstVisible() const { return firstVisible_; }
    bool isActive() const;
    // Rows that fit wholly in the listing area (at least 1).
    int rowsPerPage() const;
    void setCursor(int position);
    void moveCursor(int delta);

    // PaneHost
    void watchFolder(const std::wstring& folder) override;
    void rearmWatcher() override;
    void updateScrollRange() override;
    void ensureCursorVisible(bool redraw) override;
    void repaintAll() override;
    void redrawLine(int displayPosition) override;
    void redrawHeader() override;

    // ParameterReceiver: the listing's own parameter; the navigation and launching ones come with those features.
    void onDriveSelectParameter(const std::wstring& parameter) override;
    void onDirDirectParameter(const std::wstring& parameter) override;
    void onMacroParameter(const std::wstring& parameter) override;
    void onWildcardParameter(const std::wstring& parameter) override;

    void onActivateView(bool active) override;

protected:
    const MessageMap* messageMap() const override;
    LRESULT onCreate(WPARAM wParam, LPARAM lParam);
    void onPaint();
    LRESULT onEraseBackground();
    void onSize(UINT type, int cx, int cy);
    void onVScroll(WPARAM wParam, LPARAM lParam);

    void onRenew();
    void onWildcard();
    void onAllCard();
    void onUpdateAllCard(CommandUI& ui);
    void onSort(UINT id);
    void onUpdateSort(CommandUI& ui);
    void onSortOptDir();
    void onUpdateSortOptDir(CommandUI& ui);
    void onSortPopup();
    void onMarkCommand(UINT id);
    void onLineUp();
    void onLineDown();
    void onPageUp();
    void onPageDown();
    void onTop();
    void onBottom();
    void onMark();
    void onMarkDown();

private:
    void scrollTo(int first, bool redraw);
    int lineHeight() const;

    PaneListing listing_;
    int firstVisible_ = 0;
};
