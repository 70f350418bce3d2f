#include "app/purvex_view.h"

#include "app/launch.h"
#include "app/main_frame.h"
#include "app/pages.h"
#include "app/resource.h"
#include "app/shell_texts.h"

IMPLEMENT_DYNCREATE(CPurvexView, CFormView)

namespace {

struct PageButton {
    UINT id;
    UINT normalIcon, hoverIcon, selectedIcon;
};

// The column, top to bottom.
constexpr PageButton kPageButtons[5] = {
    {IDC_BUTTON_CURE, IDI_CURE_NORMAL, IDI_CURE_HOVER, IDI_CURE_SELECTED},
    {IDC_BUTTON_CLEAN, IDI_CLEAN_NORMAL, IDI_CLEAN_HOVER, IDI_CLEAN_SELECTED},
    {IDC_BUTTON_ACTIVEX, IDI_ACTIVEX_NORMAL, IDI_ACTIVEX_HOVER, IDI_ACTIVEX_SELECTED},
    {IDC_BUTTON_REPORT, IDI_REPORT_NORMAL, IDI_REPORT_HOVER, IDI_REPORT_SELECTED},
    {IDC_BUTTON_REPORTS, IDI_REPORTS_NORMAL, IDI_REPORTS_HOVER, IDI_REPORTS_SELECTED},
};

}  // namespace

CPurvexView::CPurvexView() : CFormView(IDD) {}

BEGIN_MESSAGE_MAP(CPurvexView, CFormView)
    ON_WM_PAINT()
    ON_BN_CLICKED(IDC_BUTTON_CURE, OnButtonCure)
    ON_BN_CLICKED(IDC_BUTTON_CLEAN, OnButtonClean)
    ON_BN_CLICKED(IDC_BUTTON_ACTIVEX, OnButtonActiveX)
    ON_BN_CLICKED(IDC_BUTTON_REPORT, OnButtonReport)
    ON_BN_CLICKED(IDC_BUTTON_REPORTS, OnButtonReports)
END_MESSAGE_MAP()

void CPurvexView::DoDataExchange(CDataExchange* pDX) {
    CFormView::DoDataExchange(pDX);
    for (int i = 0; i < 5; ++i) DDX_Control(pDX, kPageButtons[i].id, m_buttons[i]);
}

CIconButton* CPurvexView::Button(UINT id) {
    for (int i = 0; i < 5; ++i) {
        if (kPageButtons[i].id == id) return &m_buttons[i];
    }
    return nullptr;
}

void CPurvexView::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    GetParentFrame()->RecalcLayout();
    ResizeParentToFit(TRUE);
    m_background.LoadBitmap(IDB_COLUMN);
    SelectButton(IDC_BUTTON_CURE);
    for (CIconButton& button : m_buttons) {
        button.SetTransparent();
        button.SetBorder(FALSE);
    }
}

void CPurvexView::OnPaint() {
    CPaintDC dc(this);
    if (!m_background.m_hObject) return;
    CDC picture;
    picture.CreateCompatibleDC(&dc);
    BITMAP size = {};
    m_background.GetBitmap(&size);
    CBitmap* old = picture.SelectObject(&m_background);
    dc.BitBlt(0, 0, size.bmWidth, size.bmHeight, &picture, 0, 0, SRCCOPY);
    picture.SelectObject(old);
}

CMainFrame* CPurvexView::Frame() const { return static_cast<CMainFrame*>(AfxGetMainWnd()); }

void CPurvexView::SelectButton(UINT button) {
    for (int i = 0; i < 5; ++i) {
        const PageButton& page = kPageButtons[i];
        if (page.id == button)
            m_buttons[i].SetIcons(page.selectedIcon, 0);
        else
            m_buttons[i].SetIcons(page.hoverIcon, page.normalIcon);
    }
}

void CPurvexView::ShowPage(CRuntimeClass* page, UINT button) {
    shell::PagePane& pages = Frame()->Pages();
    if (!pages.CanLeave()) return;
    pages.Show(page);
    SelectButton(button);
}

void CPurvexView::OnButtonCure() { ShowPage(RUNTIME_CLASS(CCureView), IDC_BUTTON_CURE); }

void CPurvexView::OnButtonClean() { ShowPage(RUNTIME_CLASS(CCleanPcView), IDC_BUTTON_CLEAN); }

void CPurvexView::OnButtonActiveX() { ShowPage(RUNTIME_CLASS(CActiveXBlock), IDC_BUTTON_ACTIVEX); }

void CPurvexView::OnButtonReports() { ShowPage(RUNTIME_CLASS(CReportView), IDC_BUTTON_REPORTS); }

void CPurvexView::OnButtonReport() {
    if (!Frame()->Pages().CanLeave()) return;
    if (AfxMessageBox(shell::kMsgReportQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    shell::OpenInBrowser(shell::MakerPage(shell::kReportPagePath));
    SelectButton(IDC_BUTTON_REPORT);
}
