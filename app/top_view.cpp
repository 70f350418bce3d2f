#include "app/top_view.h"

#include "app/launch.h"
#include "app/logo_dlg.h"
#include "app/resource.h"

IMPLEMENT_DYNCREATE(CTopView, CFormView)

CTopView::CTopView() : CFormView(IDD) { m_banner.LoadBitmap(IDB_BANNER); }

BEGIN_MESSAGE_MAP(CTopView, CFormView)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_BN_CLICKED(IDC_BUTTON_PATCH, OnButtonPatch)
    ON_BN_CLICKED(IDC_BUTTON_UPDATE, OnButtonUpdate)
    ON_BN_CLICKED(IDC_BUTTON_ADWARE, OnButtonAdware)
    ON_BN_CLICKED(IDC_BUTTON_HELP, OnButtonHelp)
END_MESSAGE_MAP()

void CTopView::DoDataExchange(CDataExchange* pDX) {
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BUTTON_PATCH, m_patchButton);
    DDX_Control(pDX, IDC_BUTTON_UPDATE, m_updateButton);
    DDX_Control(pDX, IDC_BUTTON_ADWARE, m_adwareButton);
    DDX_Control(pDX, IDC_BUTTON_HELP, m_helpButton);
}

void CTopView::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    m_patchButton.SetIcons(IDI_PATCH_HOVER, IDI_PATCH_NORMAL);
    m_updateButton.SetIcons(IDI_UPDATE_HOVER, IDI_UPDATE_NORMAL);
    m_adwareButton.SetIcons(IDI_ADWARE_HOVER, IDI_ADWARE_NORMAL);
    m_helpButton.SetIcons(IDI_HELP_HOVER, IDI_HELP_NORMAL);
    for (CIconButton* button : {&m_patchButton, &m_updateButton, &m_adwareButton, &m_helpButton}) {
        button->SetTransparent();
        button->SetBorder(FALSE);
    }
}

void CTopView::OnPaint() {
    CPaintDC dc(this);
    CDC picture;
    picture.CreateCompatibleDC(&dc);
    BITMAP size = {};
    m_banner.GetBitmap(&size);
    CBitmap* old = picture.SelectObject(&m_banner);
    dc.BitBlt(0, 0, size.bmWidth, size.bmHeight, &picture, 0, 0, SRCCOPY);
    picture.SelectObject(old);
}

void CTopView::OnMouseMove(UINT nFlags, CPoint point) {
    if (InCursorArea(point)) ::SetCursor(AfxGetApp()->LoadCursor(IDC_LINK_CURSOR));
    CFormView::OnMouseMove(nFlags, point);
}

void CTopView::OnLButtonDown(UINT nFlags, CPoint point) {
    if (InClickArea(point)) {
        CLogoDlg logo;  // untimed: stays until clicked
        logo.DoModal();
    }
    CFormView::OnLButtonDown(nFlags, point);
}

void CTopView::OnButtonPatch() { shell::OpenInBrowser(shell::kWindowsUpdateAddress); }

void CTopView::OnButtonUpdate() { shell::StartUpdater(); }

void CTopView::OnButtonAdware() { shell::OpenInBrowser(shell::MakerPage(shell::kMainPagePath)); }

void CTopView::OnButtonHelp() { shell::OpenInBrowser(shell::MakerPage(shell::kHelpPagePath)); }
