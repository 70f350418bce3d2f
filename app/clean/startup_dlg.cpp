#include "app/clean/startup_dlg.h"

#include <commctrl.h>

#include "app/clean/clean_texts.h"
#include "app/shell_texts.h"
#include "ui/redraw_hold.h"

namespace {

enum Column { kTickColumn, kNameColumn, kDataColumn, kPathColumn };
constexpr int kTickWidth = 25;
constexpr int kNameWidth = 90;
constexpr int kPathWidth = 140;
constexpr int kNarrowPathWidth = 124;  // leaves room for the list's scroll bar
constexpr int kFixedWidths = 255;      // the data column takes the rest

}  // namespace

BEGIN_MESSAGE_MAP(CStartupDlg, CCleanTabDlg)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_STARTUP_LIST, OnColumnclickStartupList)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_STARTUP_LIST, OnItemchangedStartupList)
    ON_NOTIFY(LVN_INSERTITEM, IDC_STARTUP_LIST, OnRowsStartupList)
    ON_NOTIFY(LVN_DELETEITEM, IDC_STARTUP_LIST, OnRowsStartupList)
    ON_NOTIFY(LVN_DELETEALLITEMS, IDC_STARTUP_LIST, OnRowsStartupList)
END_MESSAGE_MAP()

CStartupDlg::CStartupDlg() : CCleanTabDlg(IDD) {}

void CStartupDlg::DoDataExchange(CDataExchange* pDX) {
    CCleanTabDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STARTUP_LIST, m_list);
}

BOOL CStartupDlg::OnInitDialog() {
    CCleanTabDlg::OnInitDialog();

    CRect client;
    m_list.GetClientRect(&client);
    m_list.InsertColumn(kTickColumn, "", LVCFMT_CENTER, kTickWidth);
    m_list.InsertColumn(kNameColumn, clean::kColumnValueName, LVCFMT_LEFT, kNameWidth);
    m_list.InsertColumn(kDataColumn, clean::kColumnDataValue, LVCFMT_LEFT, client.Width() - kFixedWidths);
    m_list.InsertColumn(kPathColumn, clean::kColumnStartupPath, LVCFMT_LEFT, kPathWidth);
    m_list.SetExtendedStyle(LVS_EX_CHECKBOXES);
    m_header.m_pOwnerPage = this;
    m_header.SubclassHeader(m_list.GetHeaderCtrl());
    return TRUE;
}

// ---- the rows ------------------------------------------------------------------

startup::StartupRow CStartupDlg::ReadRow(int row) const {
    startup::StartupRow texts;
    texts.name = static_cast<LPCTSTR>(m_list.GetItemText(row, kNameColumn));
    texts.data = static_cast<LPCTSTR>(m_list.GetItemText(row, kDataColumn));
    texts.path = static_cast<LPCTSTR>(m_list.GetItemText(row, kPathColumn));
    texts.checked = m_list.GetCheck(row) != FALSE;
    m_listedRows.Attach(&texts);
    return texts;
}

void CStartupDlg::WriteRow(int row, const startup::StartupRow& texts) {
    m_list.SetItemText(row, kNameColumn, texts.name.c_str());
    m_list.SetItemText(row, kDataColumn, texts.data.c_str());
    m_list.SetItemText(row, kPathColumn, texts.path.c_str());
    m_list.SetCheck(row, texts.checked ? TRUE : FALSE);
}

void CStartupDlg::ShowAllChecked(int allChecked) {
    m_nAllChecked = allChecked;
    m_header.SetHeaderImage(kTickColumn, allChecked ? CSortHeaderCtrl::kCheckedBox : CSortHeaderCtrl::kUncheckedBox);
}

// ---- the scan ------------------------------------------------------------------

clean::Outcome CStartupDlg::Start() {
    Host().BeginWaitCursor();  // the scan runs to its end inside the button's handler
    m_writingRows = true;
    m_list.DeleteAllItems();
    const startup::StartupList found = startup::ScanStartupEntries();
    m_listedRows.Clear();
    for (const startup::StartupRow& listed : found.rows) m_listedRows.Add(listed);
    ui::RedrawHold redraw;
    redraw.Begin(m_list.m_hWnd);
    for (size_t i = 0; i < found.rows.size(); ++i) {
        const int row = m_list.InsertItem(static_cast<int>(i), "");
        if (row >= 0) WriteRow(row, found.rows[i]);
        redraw.Step();
    }
    redraw.End();
    m_writingRows = false;
    if (found.narrowPathColumn) m_list.SetColumnWidth(kPathColumn, kNarrowPathWidth);
    // Listed rows arrive unticked, which clears the all-checked flag as a row
    // unticked by hand does; an empty list shows the empty box and leaves the
    // flag as it is, as a deletion that empties the list does.
    if (found.rows.empty()) m_header.SetHeaderImage(kTickColumn, CSortHeaderCtrl::kUncheckedBox);
    else if (m_nAllChecked) ShowAllChecked(0);

    Host().ShowDeleteButton(true);
    Host().SetStartText(clean::kCaptionRescan);
    Host().ShowStatusLine(false);
    Host().SetStatusText("");
    Host().EndWaitCursor();
    return clean::Outcome::kDone;
}

void CStartupDlg::Leave() {
    m_writingRows = true;
    m_list.DeleteAllItems();
    m_listedRows.Clear();
    m_writingRows = false;
    m_list.SetColumnWidth(kPathColumn, kPathWidth);
    m_header.SetHeaderImage(kTickColumn, CSortHeaderCtrl::kUncheckedBox);
}

// ---- header clicks and ticks ---------------------------------------------------

void CStartupDlg::OnColumnclickStartupList(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const NMLISTVIEW* view = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (view->iSubItem == kTickColumn) {
        if (m_list.GetItemCount() == 0) return;
        const bool tick = m_nAllChecked == 0;
        TickAll(tick);
        ShowAllChecked(tick ? 1 : 0);
    } else if (view->iSubItem == kNameColumn) {
        // Also on an empty list: the direction flips and the arrow shows it.
        const bool descending = m_sortDirection.Click();
        SortByName(descending);
        m_header.SetHeaderImage(kNameColumn, descending ? CSortHeaderCtrl::kDownArrow : CSortHeaderCtrl::kUpArrow);
    }
}

void CStartupDlg::TickAll(bool ticked) {
    m_writingRows = true;
    for (int row = 0; row < m_list.GetItemCount(); ++row) m_list.SetCheck(row, ticked ? TRUE : FALSE);
    m_writingRows = false;
}

// The rows and their ticks leave the list, are sorted together and go back
// in their new order; the set of ticks, and so the all-checked flag, stays.
void CStartupDlg::SortByName(bool descending) {
    const int count = m_list.GetItemCount();
    if (count < 2) return;
    std::vector<startup::StartupRow> rows;
    rows.reserve(count);
    for (int row = 0; row < count; ++row) rows.push_back(ReadRow(row));
    startup::SortByName(&rows, descending);
    m_writingRows = true;
    for (int row = 0; row < count; ++row) WriteRow(row, rows[row]);
    m_writingRows = false;
}

void CStartupDlg::OnRowsStartupList(NMHDR* pNMHDR, LRESULT* pResult) { *pResult = m_ticks.OnNotify(pNMHDR); }

void CStartupDlg::OnItemchangedStartupList(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = m_ticks.OnNotify(pNMHDR);
    if (m_writingRows) return;
    const ui::HeaderBox box = m_ticks.HeaderBoxAfter(pNMHDR, m_nAllChecked != 0);
    if (box != ui::HeaderBox::kKeep) ShowAllChecked(box == ui::HeaderBox::kShowTicked ? 1 : 0);
}

// ---- deleting the ticked rows --------------------------------------------------

clean::Outcome CStartupDlg::Delete() {
    if (MessageBox(clean::kStartupDeleteQuestion, clean::kStartupCautionTitle, MB_YESNO | MB_ICONEXCLAMATION) !=
        IDYES)
        return clean::Outcome::kDone;

    // The list's rows, deleted from the top down; a row that leaves goes from
    // the list at once. A row whose value or file is still there keeps its
    // place and tick.
    std::vector<startup::StartupRow> rows;
    for (int row = 0; row < m_list.GetItemCount(); ++row) rows.push_back(ReadRow(row));
    const startup::DeleteTally tally =
        startup::DeleteCheckedRows(&rows, [this](size_t row) { m_list.DeleteItem(static_cast<int>(row)); });

    switch (tally.end()) {
    case startup::DeleteEnd::kNothingChecked:
        MessageBox(clean::kMsgStartupNothingChecked, shell::kAppTitle, MB_OK | MB_ICONSTOP);
        return clean::Outcome::kDone;
    case startup::DeleteEnd::kSomeKept:
        // The delete button stays for another try at the rows still ticked.
        MessageBox(clean::kMsgStartupSomeKept, shell::kAppTitle, MB_OK | MB_ICONSTOP);
        break;
    case startup::DeleteEnd::kCompleted:
        if (m_list.GetItemCount() == 0) m_header.SetHeaderImage(kTickColumn, CSortHeaderCtrl::kUncheckedBox);
        MessageBox(clean::kMsgStartupDeleted, shell::kAppTitle, MB_OK | MB_ICONINFORMATION);
        Host().ShowDeleteButton(false);
        break;
    }
    return clean::Outcome::kDone;
}
