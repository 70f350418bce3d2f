#include "updater/freshen_dlg.h"

#include "updater/file_table.h"
#include "updater/freshen_texts.h"
#include "updater/main_program.h"
#include "updater/resource.h"
#include "updater/update_key.h"

namespace {

const UINT WM_FRESHEN_FETCHING = WM_APP + 1;  // wParam: the item now fetched
const UINT WM_FRESHEN_DONE = WM_APP + 2;      // the update thread has finished
const UINT_PTR kProgressTimer = 0;
const UINT kProgressPeriod = 50;              // ms
const COLORREF kProgressColour = RGB(255, 100, 150);
const COLORREF kStatusColour = RGB(0, 0, 240);

class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};

}  // namespace

CFreshenDlg::CFreshenDlg(CWnd* pParent)
    : CDialog(IDD_FRESHEN_DIALOG, pParent), m_Session(freshen::kUpdatePublicKey, freshen::kBuiltUpdateSerial) {
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

CFreshenDlg::~CFreshenDlg() = default;

void CFreshenDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS, m_Progress);
}

BEGIN_MESSAGE_MAP(CFreshenDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_TIMER()
    ON_MESSAGE(WM_FRESHEN_FETCHING, OnFetching)
    ON_MESSAGE(WM_FRESHEN_DONE, OnUpdateDone)
END_MESSAGE_MAP()

BOOL CFreshenDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    HMENU hSysMenu = ::GetSystemMenu(m_hWnd, FALSE);
    if (hSysMenu != NULL) {
        CString strAboutMenu;
        strAboutMenu.LoadString(IDS_ABOUTBOX);
        if (!strAboutMenu.IsEmpty()) {
            ::AppendMenuA(hSysMenu, MF_SEPARATOR, 0, NULL);
            ::AppendMenuA(hSysMenu, MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    m_Progress.SendMessage(PBM_SETBARCOLOR, 0, kProgressColour);
    m_StatusFont.CreatePointFont(90, "굴림");

    freshen::EnableDebugPrivilege();  // failure is ignored
    m_nMainEnded = freshen::EndMainProgram() ? 1 : 0;
    if (!m_nMainEnded) {
        // Not started from a running main program: do nothing at all.
        EndDialog(IDOK);
        return TRUE;
    }

    // The version file, too, is fetched by the update thread: the window shows
    // and can stop the update while the server is slow to answer.
    m_Progress.SetRange(0, 100);
    m_bUpdating = TRUE;
    if (!AfxBeginThread(UpdateThread, this)) {
        m_bUpdating = FALSE;
        RestartMainProgram();  // ended above: never left ended
        EndDialog(IDOK);
    }
    return TRUE;
}

// Enter does not end a running update.
void CFreshenDlg::OnOK() {
    if (!m_bUpdating) CDialog::OnOK();
}

// Closing the window (Esc, the close box) during an update stops it: the
// current fetch is dropped, nothing is installed, the main program is started
// again, and the window closes when the update thread is done. Once the
// install step has begun it runs to its end.
void CFreshenDlg::OnCancel() {
    if (m_bUpdating)
        m_Session.Cancel();
    else
        CDialog::OnCancel();
}

void CFreshenDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

void CFreshenDlg::OnPaint() {
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
        int cxIcon = GetSystemMetrics(SM_CXICON);
        int cyIcon = GetSystemMetrics(SM_CYICON);
        CRect rect;
        GetClientRect(&rect);
        dc.DrawIcon((rect.Width() - cxIcon + 1) / 2, (rect.Height() - cyIcon + 1) / 2, m_hIcon);
    } else {
        CDialog::OnPaint();
    }
    CClientDC dc(this);
    DrawBannerAndStatus(dc);
}

void CFreshenDlg::DrawBannerAndStatus(CDC& dc) {
    CBitmap banner;
    if (banner.LoadBitmap(IDB_BANNER)) {
        BITMAP size = {};
        banner.GetBitmap(&size);
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        CBitmap* pOld = memory.SelectObject(&banner);
        dc.BitBlt(0, 0, size.bmWidth, size.bmHeight, &memory, 0, 0, SRCCOPY);
        memory.SelectObject(pOld);
    }
    CFont* pOldFont = dc.SelectObject(&m_StatusFont);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kStatusColour);
    int item = m_Session.currentItem();
    if (item >= 1 && item <= freshen::kItemCount) {
        const std::string text = freshen::FileText(freshen::Item(item), freshen::kFetchingSuffix);
        dc.TextOut(15, 62, text.c_str(), static_cast<int>(text.size()));
    }
    dc.TextOut(15, 80, freshen::kWaitText, lstrlenA(freshen::kWaitText));
    dc.SelectObject(pOldFont);
}

HCURSOR CFreshenDlg::OnQueryDragIcon() { return (HCURSOR)m_hIcon; }

void CFreshenDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kProgressTimer) return;
    m_nShownPercent = m_Session.Percent();
    m_Progress.SetPos(m_nShownPercent);
    if (m_nShownPercent == 100) KillTimer(kProgressTimer);
}

LRESULT CFreshenDlg::OnFetching(WPARAM, LPARAM) {
    m_nShownPercent = 0;
    SetTimer(kProgressTimer, kProgressPeriod, NULL);
    Invalidate();
    UpdateWindow();
    return 0;
}

LRESULT CFreshenDlg::OnUpdateDone(WPARAM, LPARAM) {
    m_bUpdating = FALSE;
    KillTimer(kProgressTimer);
    EndDialog(IDOK);
    return 0;
}

UINT __cdecl CFreshenDlg::UpdateThread(LPVOID param) {
    CFreshenDlg* dlg = static_cast<CFreshenDlg*>(param);
    dlg->m_Session.Run(*dlg);
    // The window closes on its own thread; the dialog object outlives this
    // message because DoModal returns only after handling it.
    dlg->PostMessage(WM_FRESHEN_DONE);
    return 0;
}

UINT __cdecl CFreshenDlg::DownloadThread(LPVOID param) {
    static_cast<CFreshenDlg*>(param)->m_Session.DownloadCurrent();
    return 0;
}

// Timers belong to the window's thread, so the window starts its own.
void CFreshenDlg::ShowFetching(int item) { PostMessage(WM_FRESHEN_FETCHING, item); }

void CFreshenDlg::StartDownload() {
    if (!AfxBeginThread(DownloadThread, this)) DownloadThread(this);  // never leave the update waiting
}

void CFreshenDlg::Message(const char* text, UINT icon) {
    MessageBox(text, freshen::kMessageCaption, MB_OK | icon);
}

void CFreshenDlg::RestartMainProgram() { freshen::RestartMainProgram(m_hWnd); }
