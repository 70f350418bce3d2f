#include "ui/xp_button.h"

namespace {
constexpr int kGradientSteps = 64;
}

CXPButton::CXPButton() {
    m_outlinePen.CreatePen(PS_INSIDEFRAME, 1, RGB(0, 0, 0));
    m_hotLeftPen.CreatePen(PS_INSIDEFRAME, 3, RGB(250, 196, 88));
    m_hotTopPen.CreatePen(PS_INSIDEFRAME, 2, RGB(252, 210, 121));
    m_hotRightPen.CreatePen(PS_INSIDEFRAME, 3, RGB(251, 202, 106));
    m_hotBottomPen.CreatePen(PS_INSIDEFRAME, 2, RGB(229, 151, 0));
    m_focusLeftPen.CreatePen(PS_INSIDEFRAME, 3, RGB(153, 198, 252));
    m_focusTopPen.CreatePen(PS_INSIDEFRAME, 2, RGB(162, 201, 255));
    m_focusRightPen.CreatePen(PS_INSIDEFRAME, 3, RGB(162, 189, 252));
    m_focusBottomPen.CreatePen(PS_INSIDEFRAME, 2, RGB(162, 201, 255));
    m_font.CreatePointFont(90, "굴림");
}

CXPButton::~CXPButton() = default;  // the CPen and CFont members free their objects

BEGIN_MESSAGE_MAP(CXPButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

BOOL CXPButton::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style = (cs.style & ~BS_TYPEMASK) | BS_OWNERDRAW;
    return CButton::PreCreateWindow(cs);
}

void CXPButton::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

COLORREF CXPButton::FaceColour(int step, bool hovered, bool accent) {
    if (!hovered) {
        const int grey = 255 - step / 3;
        return RGB(grey, grey, accent ? 255 - step / 4 : 255 - step / 5);
    }
    const int grey = 255 - step / 4;
    return RGB(grey, grey, accent ? 255 - step / 3 : 255 - step / 5);
}

void CXPButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CDC* target = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect item(lpDrawItemStruct->rcItem);
    const CRect rect(0, 0, item.Width(), item.Height());  // in the memory picture
    const UINT state = lpDrawItemStruct->itemState;

    // Everything is drawn into a memory picture and copied out at the end.
    CDC dc;
    dc.CreateCompatibleDC(target);
    CBitmap picture;
    picture.CreateCompatibleBitmap(target, rect.Width(), rect.Height());
    CBitmap* oldPicture = dc.SelectObject(&picture);

    dc.FillSolidRect(rect, target->GetBkColor());
    CPen* oldPen = dc.SelectObject(&m_outlinePen);
    CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
    dc.RoundRect(rect, CPoint(10, 10));

    const bool focused = (state & ODS_FOCUS) != 0;
    const bool pressed = (state & ODS_SELECTED) != 0;
    const bool accent = focused || pressed || (state & ODS_DEFAULT) != 0;
    const bool hovered = m_hover != 0;

    CRect face = rect;
    face.DeflateRect(GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE));
    const int height = face.Height();
    for (int y = face.top; y < face.bottom; ++y) {
        const int step = (kGradientSteps - 1) * (y - face.top) / height;
        dc.FillSolidRect(face.left, y, face.Width(), 1, FaceColour(step, hovered, accent));
    }

    if (hovered)
        DrawFrame(dc, face, m_hotLeftPen, m_hotTopPen, m_hotRightPen, m_hotBottomPen);
    else if (focused)
        DrawFrame(dc, face, m_focusLeftPen, m_focusTopPen, m_focusRightPen, m_focusBottomPen);

    CString text;
    GetWindowText(text);
    CFont* oldFont = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    CRect textRect = rect;
    if (pressed) textRect.OffsetRect(2, 2);
    if (state & ODS_DISABLED) {
        const CSize extent = dc.GetTextExtent(text);
        ::DrawStateA(dc.m_hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(text)), 0,
                     textRect.left + (textRect.Width() - extent.cx) / 2,
                     textRect.top + (textRect.Height() - extent.cy) / 2, extent.cx, extent.cy,
                     DST_TEXT | DSS_DISABLED);
    } else {
        dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
        dc.DrawText(text, textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

    target->BitBlt(item.left, item.top, item.Width(), item.Height(), &dc, 0, 0, SRCCOPY);
    dc.SelectObject(oldFont);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldPicture);
}

// The inner frame on the gradient face: left and right stop 3 pixels short
// of the bottom and 2 of the top, top and bottom stop 2 short of each side.
void CXPButton::DrawFrame(CDC& dc, const CRect& face, CPen& left, CPen& top, CPen& right, CPen& bottom) {
    const int l = face.left, t = face.top, r = face.right, b = face.bottom;
    dc.SelectObject(&left);
    dc.MoveTo(l, b - 3);
    dc.LineTo(l, t + 2);
    dc.SelectObject(&right);
    dc.MoveTo(r - 1, b - 3);
    dc.LineTo(r - 1, t + 2);
    dc.SelectObject(&top);
    dc.MoveTo(l + 2, t);
    dc.LineTo(r - 2, t);
    dc.SelectObject(&bottom);
    dc.MoveTo(l + 2, b);
    dc.LineTo(r - 2, b);
}

void CXPButton::OnMouseMove(UINT nFlags, CPoint point) {
    if (!m_tracking) {
        TRACKMOUSEEVENT track = {sizeof track, TME_HOVER | TME_LEAVE, m_hWnd, 1};
        _TrackMouseEvent(&track);
        m_tracking = 1;
    }
    CButton::OnMouseMove(nFlags, point);
}

LRESULT CXPButton::OnMouseHover(WPARAM, LPARAM) {
    m_hover = 1;
    Invalidate(TRUE);
    return 0;
}

LRESULT CXPButton::OnMouseLeave(WPARAM, LPARAM) {
    m_tracking = 0;
    m_hover = 0;
    Invalidate(FALSE);
    return 0;
}
