#include "ui/page_chrome.h"

namespace ui {

namespace {

CSize Draw(CDC& dc, UINT id, int x, const CRect* bottomOf, int y) {
    CBitmap picture;
    if (!picture.LoadBitmap(id)) return CSize(0, 0);
    BITMAP size = {};
    picture.GetBitmap(&size);
    if (bottomOf != nullptr) {
        if (x == kRightEdge) x = bottomOf->right - size.bmWidth;
        y = bottomOf->bottom - size.bmHeight - y;
    }
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(&picture);
    dc.BitBlt(x, y, size.bmWidth, size.bmHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    return CSize(size.bmWidth, size.bmHeight);
}

}  // namespace

CSize DrawPicture(CDC& dc, UINT id, int x, int y) { return Draw(dc, id, x, nullptr, y); }

CSize DrawPictureAtBottom(CDC& dc, UINT id, const CRect& client, int x, int above) {
    return Draw(dc, id, x, &client, above);
}

HBRUSH PageControlBrush(CDC* dc, UINT ctlColor, HBRUSH background) {
    if (ctlColor == CTLCOLOR_EDIT || ctlColor == CTLCOLOR_LISTBOX) return nullptr;
    dc->SetBkMode(TRANSPARENT);
    return background != nullptr ? background : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

}  // namespace ui
