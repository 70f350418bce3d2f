// CDC and the GDI object owners.
#include "framework/internal.h"

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)

void PvfxSetTempHandle(CGdiObject* p, HGDIOBJ h) { p->m_hObject = h; }
void PvfxSetTempHandle(CDC* p, HDC h) { p->m_hDC = h; }

namespace {

// The temporary wrapper of type T for h, or NULL for a NULL handle.
template <class T>
T* Temporary(HGDIOBJ h) {
    return h ? PvfxGetThreadState()->temps.Get<T>(h) : nullptr;
}

}  // namespace

// ---- GDI objects ---------------------------------------------------------------

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    if (hObject == nullptr) return FALSE;
    DeleteObject();
    m_hObject = hObject;
    return TRUE;
}

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == nullptr) return FALSE;
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return ::DeleteObject(h);
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ h) { return Temporary<CGdiObject>(h); }
CPen* PASCAL CPen::FromHandle(HPEN h) { return Temporary<CPen>(h); }
CFont* PASCAL CFont::FromHandle(HFONT h) { return Temporary<CFont>(h); }
CBitmap* PASCAL CBitmap::FromHandle(HBITMAP h) { return Temporary<CBitmap>(h); }

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

CBrush::CBrush(COLORREF crColor) { Attach(::CreateSolidBrush(crColor)); }

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName) {
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    if (lpszFaceName) ::lstrcpynA(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    // Tenths of a point to the screen's pixels.
    HDC hDC = ::GetDC(nullptr);
    lf.lfHeight = -abs(::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), nPointSize, 720));
    ::ReleaseDC(nullptr, hDC);
    return Attach(::CreateFontIndirectA(&lf));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource) {
    HINSTANCE hModule = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_BITMAP);
    return hModule != nullptr && Attach(::LoadBitmapA(hModule, MAKEINTRESOURCE(nIDResource)));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

// ---- device contexts -------------------------------------------------------------

CDC::~CDC() {
    if (m_bOwnsDC) DeleteDC();
}

HDC CDC::GetSafeHdc() const {
    const CDC* volatile self = this;  // kept: callers may use a NULL pointer
    return self == nullptr ? nullptr : m_hDC;
}

BOOL CDC::DeleteDC() {
    if (m_hDC == nullptr) return FALSE;
    HDC h = m_hDC;
    m_hDC = nullptr;
    return ::DeleteDC(h);
}

CDC* PASCAL CDC::FromHandle(HDC hDC) { return hDC ? PvfxGetThreadState()->temps.Get<CDC>(hDC) : nullptr; }

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    HDC hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    if (hDC == nullptr) return FALSE;
    m_hDC = hDC;
    return TRUE;
}

CPen* CDC::SelectObject(CPen* pPen) {
    return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pPen->m_hObject)));
}
CFont* CDC::SelectObject(CFont* pFont) {
    return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, pFont->m_hObject)));
}
CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
    return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, pBitmap->m_hObject)));
}
CGdiObject* CDC::SelectObject(CGdiObject* pObject) {
    return CGdiObject::FromHandle(::SelectObject(m_hDC, pObject->m_hObject));
}
CGdiObject* CDC::SelectStockObject(int nIndex) {
    return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(nIndex)));
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
    COLORREF old = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
    RECT rect = { x, y, x + cx, y + cy };
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT r, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    int x = r->left, y = r->top, cx = r->right - r->left, cy = r->bottom - r->top;
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

CSize CDC::GetTextExtent(const CString& str) const {
    SIZE size = {};
    ::GetTextExtentPoint32A(m_hDC, str, str.GetLength(), &size);
    return CSize(size);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) {
    m_bOwnsDC = FALSE;
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}
CPaintDC::~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
    m_bOwnsDC = FALSE;
    m_hDC = ::GetDC(m_hWnd);
}
CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, m_hDC); }
