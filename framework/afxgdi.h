// Device contexts and GDI objects.
//
// Ownership: a CGdiObject deletes the object it holds when it is destroyed or
// given another one; a CDC deletes the DC it holds unless it is one of the
// window DCs (CPaintDC, CClientDC), which release theirs. FromHandle returns
// a temporary wrapper that owns nothing; temporaries belong to the calling
// thread and are freed when its message loop goes idle or the thread ends,
// so do not keep their pointers.
#pragma once
#include "framework/afxobj.h"
#include "framework/afxtypes.h"
#include "framework/afxstr.h"

class CWnd;
class CDC;

class PVFX_API CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject() = default;
    ~CGdiObject() override;

    HGDIOBJ m_hObject = nullptr;

    operator HGDIOBJ() const { return m_hObject; }
    BOOL DeleteObject();
    static CGdiObject* PASCAL FromHandle(HGDIOBJ hObject);

protected:
    // Deletes the object held before; FALSE (keeping it) when hObject is NULL.
    BOOL Attach(HGDIOBJ hObject);
};

class PVFX_API CPen : public CGdiObject {
    DECLARE_DYNAMIC(CPen)
public:
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    static CPen* PASCAL FromHandle(HPEN hPen);
};

class PVFX_API CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class PVFX_API CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
public:
    // nPointSize is in tenths of a point (90 = 9 pt), measured on the screen.
    BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName);
    static CFont* PASCAL FromHandle(HFONT hFont);
};

class PVFX_API CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    // Loads bitmap nIDResource from the executable, then the extension modules.
    BOOL LoadBitmap(UINT nIDResource);
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const { return ::GetObjectA(m_hObject, sizeof(BITMAP), pBitMap); }
    static CBitmap* PASCAL FromHandle(HBITMAP hBitmap);
};

class PVFX_API CDC : public CObject {
    DECLARE_DYNAMIC(CDC)
public:
    CDC() = default;
    ~CDC() override;  // deletes an owned DC (see the class comment above)

    HDC m_hDC = nullptr;

    HDC GetSafeHdc() const;  // NULL through a NULL pointer
    operator HDC() const { return m_hDC; }
    BOOL DeleteDC();
    static CDC* PASCAL FromHandle(HDC hDC);

    BOOL CreateCompatibleDC(CDC* pDC);

    // Each returns the object selected before, as a temporary wrapper.
    CPen* SelectObject(CPen* pPen);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    CGdiObject* SelectObject(CGdiObject* pObject);
    CGdiObject* SelectStockObject(int nIndex);

    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }

    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) {
        return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
    }

    // Fills with a solid colour; the DC's background colour is left as it was.
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    // Top and left lines in clrTopLeft, bottom and right in clrBottomRight.
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
    void DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
    BOOL RoundRect(LPCRECT r, POINT pt) { return ::RoundRect(m_hDC, r->left, r->top, r->right, r->bottom, pt.x, pt.y); }
    BOOL MoveTo(int x, int y) { return ::MoveToEx(m_hDC, x, y, nullptr); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    // DrawState of an icon (DST_ICON is added to nFlags).
    BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags) {
        return ::DrawStateA(m_hDC, nullptr, nullptr, (LPARAM)hIcon, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_ICON);
    }

    BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount) { return ::TextOutA(m_hDC, x, y, lpszString, nCount); }
    BOOL TextOut(int x, int y, const CString& str) { return ::TextOutA(m_hDC, x, y, str, str.GetLength()); }
    int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
        return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat);
    }
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
        return ::DrawTextA(m_hDC, str, str.GetLength(), lpRect, nFormat);
    }
    CSize GetTextExtent(const CString& str) const;

protected:
    BOOL m_bOwnsDC = TRUE;  // FALSE for the window DCs, which release instead
};

// BeginPaint/EndPaint for the window's WM_PAINT.
class PVFX_API CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;
protected:
    HWND m_hWnd;
};

// GetDC/ReleaseDC of the window's client area.
class PVFX_API CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;
protected:
    HWND m_hWnd;
};
