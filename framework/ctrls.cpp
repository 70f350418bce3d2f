// The standard and common control wrappers.
#include "framework/internal.h"
#include "framework/afxcmn.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CImageList, CObject)
IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

namespace {

// A child window of a system class, bound to pWnd (CWnd::Create, which the
// controls' own Create hides).
BOOL CreateControl(CWnd* pWnd, LPCSTR lpszClass, LPCSTR lpszText, DWORD dwStyle, const RECT& rect,
                   CWnd* pParentWnd, UINT nID) {
    return pWnd->Create(lpszClass, lpszText, dwStyle, rect, pParentWnd, nID);
}

}  // namespace

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CreateControl(this, "BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

// WM_DRAWITEM reflected from the parent becomes a DrawItem call.
BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    *pResult = TRUE;
    return TRUE;
}

// ---- image lists -----------------------------------------------------------------

CImageList::~CImageList() {
    if (m_hImageList != nullptr) ImageList_Destroy(m_hImageList);
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
    HINSTANCE hModule = AfxFindResourceHandle(MAKEINTRESOURCE(nBitmapID), RT_BITMAP);
    if (hModule == nullptr) return FALSE;
    HIMAGELIST hImageList = ImageList_LoadImageA(hModule, MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask,
                                                 IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (hImageList == nullptr) return FALSE;
    if (m_hImageList != nullptr) ImageList_Destroy(m_hImageList);
    m_hImageList = hImageList;
    return TRUE;
}

// ---- list view -----------------------------------------------------------------------

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CreateControl(this, WC_LISTVIEWA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPSTR>(lpszColumnHeading);
    column.fmt = nFormat;
    if (nWidth != -1) { column.mask |= LVCF_WIDTH; column.cx = nWidth; }
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, nCol, reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText) {
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTA, nItem, reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
    // Grows the buffer until the text fits (the control reports the copied length).
    for (int size = 256;; size *= 2) {
        std::string text(size, '\0');
        LVITEMA item = {};
        item.iSubItem = nSubItem;
        item.cchTextMax = size;
        item.pszText = &text[0];
        int length = static_cast<int>(SendMessage(LVM_GETITEMTEXTA, nItem, reinterpret_cast<LPARAM>(&item)));
        if (length < size - 1) return CString(text.c_str(), length);
    }
}

BOOL CListCtrl::GetCheck(int nItem) const {
    // State image 1 is the empty box, 2 the ticked one.
    UINT state = static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, nItem, LVIS_STATEIMAGEMASK));
    return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

BOOL CListCtrl::SetCheck(int nItem, BOOL fCheck) {
    LVITEMA item = {};
    item.state = INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1);
    item.stateMask = LVIS_STATEIMAGEMASK;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, nItem, reinterpret_cast<LPARAM>(&item)));
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const {
    HWND hHeader = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER, 0, 0));
    if (hHeader == nullptr) return nullptr;
    if (CHeaderCtrl* pHeader = dynamic_cast<CHeaderCtrl*>(FromHandlePermanent(hHeader))) return pHeader;
    return PvfxGetThreadState()->temps.Get<CHeaderCtrl>(hHeader);
}

// ---- tab control ------------------------------------------------------------------------

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CreateControl(this, WC_TABCONTROLA, nullptr, dwStyle, rect, pParentWnd, nID);
}

LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    return static_cast<LONG>(SendMessage(TCM_INSERTITEMA, nItem, reinterpret_cast<LPARAM>(&item)));
}
