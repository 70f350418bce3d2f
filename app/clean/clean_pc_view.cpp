#include "app/clean/clean_pc_view.h"

#include "app/clean/clean_texts.h"
#include "app/resource.h"
#include "app/shell_texts.h"
#include "ui/page_chrome.h"

namespace {

struct Tab {
    const char* caption;
    int image;  // in bitmap 252
};
constexpr Tab kTabs[] = {
    {clean::kTabDisk, 1},
    {clean::kTabWorkRecord, 2},
    {clean::kTabAutoRecord, 0},
    {clean::kTabStartup, 3},
};
constexpr int kTabPaddingX = 3;  // pixels left and right of a tab's image and caption
constexpr int kTabPaddingY = 3;  // the control's own

}  // namespace

IMPLEMENT_DYNCREATE(CCleanPcView, CFormView)

BEGIN_MESSAGE_MAP(CCleanPcView, CFormView)
    ON_BN_CLICKED(IDC_CLEAN_START, OnStart)
    ON_BN_CLICKED(IDC_CLEAN_DELETE, OnDelete)
    ON_WM_CTLCOLOR()
    ON_WM_SETCURSOR()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_CLEAN_DELETION_REPORTED, OnDeletionReported)
END_MESSAGE_MAP()

CCleanPcView::CCleanPcView() : CFormView(IDD) {}

CCleanPcView::~CCleanPcView() = default;

void CCleanPcView::DoDataExchange(CDataExchange* pDX) {
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CLEAN_DELETE, m_deleteButton);
    DDX_Control(pDX, IDC_CLEAN_START, m_startButton);
    DDX_Control(pDX, IDC_CLEAN_TABS, m_tabs);
}

void CCleanPcView::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    m_noticeFont.CreatePointFont(90, clean::kFontName);
    m_tabs.LoadTabImages(IDB_TAB_IMAGES);
    // The four captions in 굴림 fill the control's width: with the default
    // padding of 6 pixels the last tab would be cut off behind scroll arrows.
    m_tabs.SetPadding(CSize(kTabPaddingX, kTabPaddingY));
    for (int i = 0; i < static_cast<int>(sizeof kTabs / sizeof kTabs[0]); ++i)
        m_tabs.InsertItem(i, kTabs[i].caption, kTabs[i].image);
    for (int i = 0; i < m_tabs.GetPageCount(); ++i) m_tabs.Tab(i)->AttachHost(*this);
    m_tabs.OnSwitched([this](int page) { OnTabSwitched(page); });
    m_tabs.CreatePages();
    m_nBusy = 0;
    ShowDeleteButton(FALSE);
    ShowStatusLine(FALSE);
}

void CCleanPcView::OnDraw(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    ui::DrawPictureAtBottom(*pDC, IDB_PAGE_FOOT, client, 0);
    ui::DrawPicture(*pDC, IDB_CLEAN_HEAD, 40, 15);
    CFont* old = pDC->SelectObject(&m_noticeFont);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0x51, 0x62, 0x7A));
    pDC->TextOut(15, client.bottom - 26, clean::kMakerNotice, static_cast<int>(strlen(clean::kMakerNotice)));
    pDC->SelectObject(old);
}

HBRUSH CCleanPcView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (HBRUSH white = ui::PageControlBrush(pDC, nCtlColor)) return white;
    return CFormView::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CCleanPcView::ShowDeleteButton(bool show) { m_deleteButton.ShowWindow(show ? SW_SHOW : SW_HIDE); }

void CCleanPcView::SetStartText(const char* text) { m_startButton.SetWindowText(text); }

void CCleanPcView::ShowStatusLine(bool show) { GetDlgItem(IDC_CLEAN_STATUS)->ShowWindow(show ? SW_SHOW : SW_HIDE); }

void CCleanPcView::SetStatusText(const char* text) { SetDlgItemText(IDC_CLEAN_STATUS, text); }

int CCleanPcView::Ask(const char* text, const char* title, UINT type) { return MessageBox(text, title, type); }

void CCleanPcView::RunEnded() {
    m_nBusy = 0;
    UpdateTabLock();
}

void CCleanPcView::OnTabSwitched(int page) {
    m_nBusy = 0;
    m_nScanRunning = 0;
    ShowDeleteButton(false);
    ShowStatusLine(false);
    m_nHostMode = page + 1;
    if (const CCleanTabDlg* tab = CurrentTab()) SetStartText(tab->StartText());
}

void CCleanPcView::UpdateTabLock() {
    const CCleanTabDlg* tab = CurrentTab();
    m_tabs.m_clickLock = m_deletionPending || (tab != nullptr && tab->Busy()) ? 1 : 0;
}

// ---- the start button ----------------------------------------------------------

void CCleanPcView::OnStart() {
    if (m_deletionPending) return;  // the last delete has not been reported yet
    CCleanTabDlg* tab = CurrentTab();
    if (tab == nullptr) return;
    if (!m_nScanRunning) {
        m_nBusy = 1;
        if (tab->Start() == clean::Outcome::kRuns) {
            m_nScanRunning = 1;  // busy until the tab says RunEnded
        } else {
            m_nBusy = 0;
        }
        UpdateTabLock();
        return;
    }
    // "중  지" while the run goes on, "초기화면" after it.
    if (tab->Stop()) RebuildPage();  // this page is gone when it returns
}

// ---- the delete button and its report ------------------------------------------

void CCleanPcView::OnDelete() {
    if (m_deletionPending) return;
    CCleanTabDlg* tab = CurrentTab();
    if (tab == nullptr) return;
    m_waiter.Join();  // the last one has reported and is ending
    m_completion.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (tab->Delete() != clean::Outcome::kRuns) return;
    // A deletion is a cleaning action: the page is busy, and its tabs stay,
    // until the outcome has been reported.
    m_deletionPending = 1;
    m_nBusy = 1;
    UpdateTabLock();
    if (!m_waiter.Start([this, tab](LONG pass) { ReportDeletion(pass, tab); }))
        OnDeletionReported(0, 0);  // nobody to report: the deletion still runs, the page is free
}

// On the waiter's thread. The page and its disk tab outlive the waiter: the
// page stops it and waits for it as it goes, and then it reports nothing.
void CCleanPcView::ReportDeletion(LONG pass, const CCleanTabDlg* tab) {
    if (!m_waiter.WaitFor(pass, m_completion.get())) return;
    const CCleanTabDlg::Report report = tab->DeletionReport();
    ::MessageBoxA(m_hWnd, report.text, shell::kAppTitle, MB_OK | report.icon);
    ::PostMessageA(m_hWnd, WM_CLEAN_DELETION_REPORTED, 0, 0);
}

LRESULT CCleanPcView::OnDeletionReported(WPARAM, LPARAM) {
    EndWaitCursor();
    m_deletionPending = 0;
    m_nBusy = 0;
    UpdateTabLock();
    return 0;
}

void CCleanPcView::OnDestroy() {
    // A waiter still waiting is woken and reports nothing.
    m_waiter.Stop();
    m_waiter.Join();
    CFormView::OnDestroy();
}

// ---- the wait cursor -----------------------------------------------------------

void CCleanPcView::BeginWaitCursor() {
    m_waitCursor = 1;
    ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

void CCleanPcView::EndWaitCursor() {
    if (!m_waitCursor) return;
    m_waitCursor = 0;
    // The window under the pointer, when it is one of ours, picks its own
    // cursor again.
    POINT pointer;
    GetCursorPos(&pointer);
    HWND under = ::WindowFromPoint(pointer);
    if (under != nullptr && GetWindowThreadProcessId(under, nullptr) == GetCurrentThreadId())
        ::SendMessageA(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

BOOL CCleanPcView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (m_waitCursor) {
        ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
    }
    return CFormView::OnSetCursor(pWnd, nHitTest, message);
}
