#include "reportview/report_view.h"

#include <string>

#include "backup/manifest.h"

#include "reportview/chronik_resource.h"
#include "reportview/report_dlg.h"
#include "reportview/report_folder.h"
#include "reportview/report_logs.h"
#include "reportview/report_texts.h"
#include "ui/redraw_hold.h"
#include "ui/page_chrome.h"

namespace {

// List columns 1 to 4 have fixed widths but the last, which takes what the
// others leave of the list's client width (25 + 120 + 110 + 138 = 393).
constexpr int kTickColumnWidth = 25;
constexpr int kDateColumnWidth = 120;
constexpr int kKindColumnWidth = 110;
constexpr int kTitleColumnWidth = 138;
constexpr int kFixedColumnsWidth = 393;

constexpr COLORREF kHintColour = RGB(0, 0, 255);
constexpr COLORREF kNoticeColour = RGB(96, 96, 96);

}  // namespace

IMPLEMENT_DYNCREATE(CReportView, CFormView)

BEGIN_MESSAGE_MAP(CReportView, CFormView)
    ON_NOTIFY(NM_DBLCLK, IDC_REPORT_LIST, OnDblclkReportList)
    ON_BN_CLICKED(IDC_REPORT_DELETE, OnButtonDelete)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_REPORT_LIST, OnColumnclickReportList)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_REPORT_LIST, OnItemchangedReportList)
    ON_NOTIFY(LVN_INSERTITEM, IDC_REPORT_LIST, OnRowsReportList)
    ON_NOTIFY(LVN_DELETEITEM, IDC_REPORT_LIST, OnRowsReportList)
    ON_NOTIFY(LVN_DELETEALLITEMS, IDC_REPORT_LIST, OnRowsReportList)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CReportView::CReportView() : CFormView(IDD), m_header(IDB_REPORT_CHECKS) {}

CReportView::~CReportView() { FreeFolders(); }

void CReportView::DoDataExchange(CDataExchange* pDX) {
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_REPORT_DELETE, m_deleteButton);
    DDX_Control(pDX, IDC_REPORT_LIST, m_list);
}

void CReportView::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    m_font.CreatePointFont(90, reports::kFontName);

    CRect client;
    m_list.GetClientRect(&client);
    m_list.InsertColumn(0, "", LVCFMT_LEFT, kTickColumnWidth);
    m_list.InsertColumn(1, reports::kColumnDate, LVCFMT_LEFT, kDateColumnWidth);
    m_list.InsertColumn(2, reports::kColumnKind, LVCFMT_LEFT, kKindColumnWidth);
    m_list.InsertColumn(3, reports::kColumnTitle, LVCFMT_LEFT, kTitleColumnWidth);
    m_list.InsertColumn(4, reports::kColumnStatus, LVCFMT_LEFT, client.Width() - kFixedColumnsWidth);
    m_list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);

    m_header.m_pOwnerPage = this;
    m_header.SubclassHeader(m_list.GetHeaderCtrl());

    m_nAllChecked = 0;
    Init();
}

void CReportView::FindFolder(CString pattern) {
    int taken = 0;
    for (const reports::LogFolder& folder : reports::FindSubfolders(static_cast<LPCTSTR>(pattern)))
        m_folders.AddTail(new CReportFolder(folder.name.c_str(), taken++, folder.listed));
}

void CReportView::Init() {
    m_list.DeleteAllItems();
    FreeFolders();
    FindFolder(reports::kFolderPattern);
    ui::RedrawHold redraw;
    redraw.Begin(m_list.m_hWnd);
    for (POSITION pos = m_folders.GetHeadPosition(); pos != nullptr;) {
        CReportFolder* folder = static_cast<CReportFolder*>(m_folders.GetNext(pos));
        // A folder without a readable head.txt gets no row, and so no row
        // index another folder's row could be taken for.
        folder->m_nRow = -1;
        CString headPath;
        headPath.Format(reports::kHeadPathFormat, static_cast<LPCTSTR>(folder->m_strName));
        std::string head;
        if (!reports::ReadTextStart(static_cast<LPCTSTR>(headPath), reports::kHeadBytes, &head)) continue;
        ++m_nReportCount;

        const reports::HeadColumns columns = reports::SplitHead(head);
        const int row = m_list.InsertItem(m_list.GetItemCount(), "");
        m_list.SetItemText(row, 1, columns.date.c_str());
        m_list.SetItemText(row, 2, columns.kind.c_str());
        m_list.SetItemText(row, 3, columns.title.c_str());
        m_list.SetItemText(row, 4, columns.status.c_str());
        folder->m_nRow = row;
        redraw.Step();
    }
    redraw.End();
}

POSITION CReportView::FindRow(int row) const {
    if (row < 0) return nullptr;
    for (POSITION pos = m_folders.GetHeadPosition(); pos != nullptr;) {
        const POSITION at = pos;
        if (static_cast<CReportFolder*>(m_folders.GetNext(pos))->m_nRow == row) return at;
    }
    return nullptr;
}

CReportFolder* CReportView::FolderAt(POSITION pos) const { return static_cast<CReportFolder*>(m_folders.GetAt(pos)); }

void CReportView::FreeFolders() {
    while (!m_folders.IsEmpty()) delete static_cast<CReportFolder*>(m_folders.RemoveHead());
}

int CReportView::Box(LPCTSTR text, UINT type) {
    return MessageBox(text, reports::kBoxTitle, type);
}

void CReportView::OnDblclkReportList(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    // The row selected last: a double-click on empty space opens that one.
    const POSITION pos = FindRow(m_list.GetSelectionMark());
    if (pos == nullptr) return;

    const CString path = reports::kReportPathStart + FolderAt(pos)->m_strName + reports::kReportPathEnd;
    CReportDlg dialog(this);
    const CString backupFolder = reports::kReportPathStart + FolderAt(pos)->m_strName + reports::kBackupPathEnd;
    if (backup::HoldsBackup(static_cast<LPCTSTR>(backupFolder))) dialog.m_strBackupFolder = backupFolder;
    std::string report;
    if (reports::ReadTextStart(static_cast<LPCTSTR>(path), reports::kReportBytes, &report))
        dialog.m_strReport = report.c_str();
    else
        dialog.m_strReport = path;
    dialog.DoModal();
}

BOOL CReportView::RemoveDir(const CReportFolder& folder) {
    return reports::RemoveLogFolder(folder.m_listed) ? TRUE : FALSE;
}

// Deletes the ticked logs, asking first only when one of them holds a
// cure's backup, which goes with it. A log that cannot be deleted keeps its
// row, its tick and its record, and the user is told.
void CReportView::OnButtonDelete() {
    if (m_nReportCount == 0) {
        Box(reports::kMsgNoRecords, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (TickedLogHoldsBackup() && Box(reports::kMsgDeleteBackupQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    int deleted = 0, kept = 0;
    ui::RedrawHold redraw;
    redraw.Begin(m_list.m_hWnd);
    for (int row = m_list.GetItemCount() - 1; row >= 0; --row) {
        if (!m_list.GetCheck(row)) continue;
        const POSITION pos = FindRow(row);
        if (pos != nullptr) {
            CReportFolder* folder = FolderAt(pos);
            if (!RemoveDir(*folder)) {
                ++kept;
                continue;
            }
            m_folders.RemoveAt(pos);
            delete folder;
            ++deleted;
        }
        m_list.DeleteItem(row);
        for (POSITION at = m_folders.GetHeadPosition(); at != nullptr;) {
            CReportFolder* below = static_cast<CReportFolder*>(m_folders.GetNext(at));
            if (below->m_nRow > row) --below->m_nRow;
        }
        redraw.Step();
    }
    redraw.End();
    ShowAllChecked(0);

    if (kept > 0)
        Box(reports::kMsgSomeNotDeleted, MB_OK | MB_ICONSTOP);
    else if (deleted > 0)
        Box(reports::kMsgDeleted, MB_OK | MB_ICONEXCLAMATION);
    else
        Box(reports::kMsgNothingTicked, MB_OK | MB_ICONEXCLAMATION);
}

bool CReportView::TickedLogHoldsBackup() const {
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        const POSITION pos = m_list.GetCheck(row) ? FindRow(row) : nullptr;
        if (pos != nullptr &&
            backup::HoldsBackup(static_cast<LPCTSTR>(reports::kReportPathStart + FolderAt(pos)->m_strName +
                                                     reports::kBackupPathEnd)))
            return true;
    }
    return false;
}

void CReportView::ShowAllChecked(int allChecked) {
    m_nAllChecked = allChecked;
    m_header.SetHeaderImage(0, allChecked ? 1 : 0);
}

// A click on column 0 ticks every row, or unticks every row when all are
// ticked already. Other columns do nothing: the list is never sorted.
void CReportView::OnColumnclickReportList(NMHDR* pNMHDR, LRESULT* pResult) {
    const NMLISTVIEW* click = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    *pResult = 0;
    if (m_list.GetItemCount() == 0 || click->iSubItem != 0) return;
    const int tick = m_nAllChecked ? 0 : 1;
    for (int row = 0; row < m_list.GetItemCount(); ++row) m_list.SetCheck(row, tick);
    ShowAllChecked(tick);
}

// Keeps header item 0 showing whether every row is ticked. Only changes of
// the tick count: the new state also carries the selection and focus bits,
// so the tick box's bits are compared on their own.
void CReportView::OnRowsReportList(NMHDR* pNMHDR, LRESULT* pResult) { *pResult = m_ticks.OnNotify(pNMHDR); }

void CReportView::OnItemchangedReportList(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = m_ticks.OnNotify(pNMHDR);
    const ui::HeaderBox box = m_ticks.HeaderBoxAfter(pNMHDR, m_nAllChecked != 0);
    if (box != ui::HeaderBox::kKeep) ShowAllChecked(box == ui::HeaderBox::kShowTicked ? 1 : 0);
}

// Edit fields and list boxes keep the system colours; everything else sits
// on white with a transparent text background.
HBRUSH CReportView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (HBRUSH white = ui::PageControlBrush(pDC, nCtlColor)) return white;
    return CFormView::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CReportView::OnDraw(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    ui::DrawPictureAtBottom(*pDC, IDB_REPORT_FOOT, client, 0);
    ui::DrawPicture(*pDC, IDB_REPORT_HEAD, 30, 25);

    CFont* oldFont = pDC->SelectObject(&m_font);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColour = pDC->SetTextColor(kNoticeColour);
    pDC->TextOut(15, client.bottom - 26, reports::kMakerNotice);
    pDC->SetTextColor(kHintColour);
    pDC->TextOut(95, 83, reports::kDoubleClickHint);
    pDC->SetTextColor(oldColour);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldFont);
}
