#include "app/MainFrame.h"
#include "app/VantorApp.h"
#include "framework/Handles.h"

const MessageMap* CMainFrame::messageMap() const {
    static const MessageEntry entries[] = {
        onMessage<WM_PAINT, &CMainFrame::onPaint>(),
    };
    static const MessageMap map{FrameWindow::messageMap(), entries};
    return &map;
}

void CMainFrame::onPaint() {
    PaintDc dc(hwnd_);
    RECT rc;
    GetClientRect(hwnd_, &rc);
    GdiObject<HBRUSH> back(CreateSolidBrush(settings().backColor));
    FillRect(dc.get(), &rc, back.get());
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), settings().normalColor);
    const std::wstring text = L"設定ファイル: " + settings().path;
    TextOutW(dc.get(), 8, 8, text.c_str(), static_cast<int>(text.size()));
}
