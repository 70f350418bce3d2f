#include "ui/theme_tab_ctrl.h"

#include <vector>

#include "ui/theme_library.h"

namespace {

// Parts and states of the theme class "TAB".
constexpr int kPartTabItem = 1;
constexpr int kPartPane = 9;
constexpr int kStateNormal = 1;
constexpr int kStateHot = 2;
constexpr int kStateSelected = 3;

constexpr int kTop = 0, kBottom = 1, kLeft = 2, kRight = 3;

int OrientationOf(DWORD style) {
    if (style & TCS_VERTICAL) return (style & TCS_RIGHT) ? kRight : kLeft;
    return (style & TCS_BOTTOM) ? kBottom : kTop;
}

// Copies a picture drawn for top tabs into place for the other orientations:
// mirrored for bottom tabs, turned a quarter for left and right tabs, so the
// side that opens onto the pane faces the pane.
void PlaceTopPicture(HDC target, const RECT& rect, HDC source, int sourceWidth, int sourceHeight, int orientation) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (orientation == kBottom) {
        StretchBlt(target, rect.left, rect.bottom - 1, width, -height, source, 0, 0, sourceWidth, sourceHeight,
                   SRCCOPY);
        return;
    }
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), sourceWidth, -sourceHeight, 1, 32, BI_RGB};
    std::vector<DWORD> in(sourceWidth * sourceHeight), out(width * height);
    HBITMAP picture = static_cast<HBITMAP>(GetCurrentObject(source, OBJ_BITMAP));
    GetDIBits(source, picture, 0, sourceHeight, in.data(), &info, DIB_RGB_COLORS);
    for (int y = 0; y < sourceHeight; ++y) {
        for (int x = 0; x < sourceWidth; ++x) {
            const int outX = orientation == kLeft ? y : width - 1 - y;
            out[x * width + outX] = in[y * sourceWidth + x];
        }
    }
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    SetDIBitsToDevice(target, rect.left, rect.top, width, height, 0, 0, 0, height, out.data(), &info,
                      DIB_RGB_COLORS);
}

}  // namespace

CThemeTabCtrl::CThemeTabCtrl() = default;

CThemeTabCtrl::~CThemeTabCtrl() {
    for (int i = 0; i < m_pageCount; ++i) {
        if (m_pages[i]->m_hWnd) m_pages[i]->DestroyWindow();
    }
}

BEGIN_MESSAGE_MAP(CThemeTabCtrl, CTabCtrl)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_NOTIFY_REFLECT_EX(TCN_SELCHANGING, OnSelChanging)
    ON_NOTIFY_REFLECT_EX(TCN_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

CImageList* CThemeTabCtrl::LoadTabImages(UINT bitmap) {
    if (!::IsWindow(m_hWnd)) return nullptr;
    if (m_imageList.m_hImageList) return &m_imageList;
    if (!m_imageList.Create(bitmap, 16, 1, RGB(255, 0, 255))) return nullptr;
    SetImageList(&m_imageList);
    return &m_imageList;
}

void CThemeTabCtrl::AdoptPage(CDialog* page, UINT templateId) {
    std::unique_ptr<CDialog> owned(page);
    if (m_pageCount == kMaxPages) return;
    m_pages[m_pageCount] = std::move(owned);
    m_pageTemplates[m_pageCount] = templateId;
    ++m_pageCount;
}

void CThemeTabCtrl::CreatePages() {
    for (int i = 0; i < m_pageCount; ++i) {
        m_pages[i]->Create(m_pageTemplates[i], this);
        m_pages[i]->ShowWindow(SW_SHOW);
    }
    m_currentPage = 0;
    LayoutPages();
}

void CThemeTabCtrl::LayoutPages() {
    CRect client, tab0;
    GetClientRect(client);
    GetItemRect(0, tab0);
    for (int i = 0; i < m_pageCount; ++i) {
        if (!m_pages[i]->m_hWnd) continue;
        m_pages[i]->SetWindowPos(nullptr, tab0.left, tab0.bottom + 1, client.right - tab0.left - 1,
                                 client.bottom - tab0.bottom - 2, SWP_NOZORDER | SWP_NOACTIVATE);
        m_pages[i]->ShowWindow(i == 0 ? SW_SHOW : SW_HIDE);
    }
}

void CThemeTabCtrl::SwitchPage(int newPage) {
    if (CDialog* old = GetPage(m_currentPage)) old->ShowWindow(SW_HIDE);
    m_currentPage = newPage;
    if (CDialog* page = GetPage(newPage)) {
        page->ShowWindow(SW_SHOW);
        page->SetFocus();
    }
}

BOOL CThemeTabCtrl::UsesThemedDrawing() const {
    return m_themeDrawing && ::IsWindow(m_hWnd) && ui::SystemVersion() > 0x50000 && ui::IsThemeActiveNow();
}

void CThemeTabCtrl::OnPaint() {
    if (!UsesThemedDrawing()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    PaintThemed(dc);
}

void CThemeTabCtrl::PaintThemed(CDC& dc) {
    m_orientation = OrientationOf(GetStyle());
    CRect client, display;
    GetClientRect(client);
    display = client;
    AdjustRect(FALSE, display);

    CRect pane = client;
    switch (m_orientation) {
    case kTop: pane.top = display.top - 2; break;
    case kBottom: pane.bottom = display.bottom + 3; break;
    case kLeft: pane.left = display.left - 1; break;
    case kRight: pane.right = display.right + 3; break;
    }
    ui::DrawTabThemePart(m_hWnd, dc.m_hDC, kPartPane, 0, pane);

    CPoint pointer;
    GetCursorPos(&pointer);
    ScreenToClient(&pointer);
    TCHITTESTINFO hit = {pointer, 0};
    const int hot = HitTest(&hit);
    const int selected = GetCurSel();
    CFont* oldFont = dc.SelectObject(GetFont());
    for (int item = 0; item < GetItemCount(); ++item) {
        if (item == selected) continue;
        CRect rect;
        GetItemRect(item, rect);
        DrawTabItem(dc, item, item == hot ? kStateHot : kStateNormal, rect);
        DrawTabLabel(dc, item, rect, false);
    }
    if (selected >= 0) {
        CRect rect;
        GetItemRect(selected, rect);
        rect.InflateRect(2, 2);
        if (m_orientation == kTop) rect.bottom -= 1;
        DrawTabItem(dc, selected, kStateSelected, rect);
        DrawTabLabel(dc, selected, rect, true);
    }
    dc.SelectObject(oldFont);
}

void CThemeTabCtrl::DrawTabItem(CDC& dc, int item, int state, CRect rect) {
    if (m_orientation == kTop) {
        ui::DrawTabThemePart(m_hWnd, dc.m_hDC, kPartTabItem, state, rect);
        return;
    }
    const bool turned = m_orientation == kLeft || m_orientation == kRight;
    const int width = turned ? rect.Height() : rect.Width();
    const int height = turned ? rect.Width() : rect.Height();
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap picture;
    picture.CreateCompatibleBitmap(&dc, width, height);
    CBitmap* old = memory.SelectObject(&picture);
    memory.FillSolidRect(0, 0, width, height, GetSysColor(COLOR_BTNFACE));
    ui::DrawTabThemePart(m_hWnd, memory.m_hDC, kPartTabItem, state, CRect(0, 0, width, height));
    PlaceTopPicture(dc.m_hDC, rect, memory.m_hDC, width, height, m_orientation);
    memory.SelectObject(old);
}

void CThemeTabCtrl::DrawTabLabel(CDC& dc, int item, const CRect& rect, bool selected) {
    char text[128] = {};
    TCITEM tab = {};
    tab.mask = TCIF_TEXT | TCIF_IMAGE;
    tab.pszText = text;
    tab.cchTextMax = sizeof text;  // up to 127 characters and the terminator
    if (!GetItem(item, &tab)) return;

    const int shift = selected ? 2 : 0;
    CPoint image(rect.left + 6 + shift, rect.top + (rect.Height() - 16) / 2 + shift);
    if (tab.iImage >= 0 && m_imageList.m_hImageList) m_imageList.Draw(&dc, tab.iImage, image, ILD_TRANSPARENT);

    CRect textRect = rect;
    textRect.left = image.x + 19;
    textRect.top += shift;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    dc.DrawText(text, -1, textRect, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CThemeTabCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_clickLock) return;
    CTabCtrl::OnLButtonDown(nFlags, point);  // selects the tab under the pointer
    const int focused = GetCurFocus();
    if (focused >= 0 && focused != m_currentPage) SwitchPage(focused);
}

BOOL CThemeTabCtrl::OnSelChanging(NMHDR*, LRESULT* pResult) {
    if (!m_clickLock) m_previousSelection = GetCurSel();
    *pResult = 0;
    return FALSE;  // the parent hears of it as well
}

BOOL CThemeTabCtrl::OnSelChange(NMHDR*, LRESULT* pResult) {
    if (GetCurSel() != m_previousSelection && m_previousSelection >= 0 && UsesThemedDrawing()) {
        CRect rect;
        GetItemRect(m_previousSelection, rect);
        rect.InflateRect(2, 2);
        ::MapWindowPoints(m_hWnd, GetParent()->m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        GetParent()->InvalidateRect(rect);
    }
    *pResult = 0;
    return FALSE;
}
