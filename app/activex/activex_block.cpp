#include "app/activex/activex_block.h"

#include <commctrl.h>
#include <string.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "app/activex/activex_edit_dlg.h"
#include "app/activex/activex_texts.h"
#include "app/resource.h"
#include "ui/page_chrome.h"
#include "ui/redraw_hold.h"

namespace {

// Tick-box state images of the list: 1 unticked, 2 ticked.
constexpr UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(2);

enum Column { kColumnTick, kColumnClsid, kColumnName };
constexpr int kNameWidth = 190;
constexpr int kNarrowNameWidth = 173;  // once a scroll bar takes its place
constexpr int kRowsWithoutScrollBar = 9;

// Copies a text into a field of the page's own: the dialog's texts (kept
// within 39 bytes by the dialog) and the library's, read no further than one
// field's width whether or not the library terminated them.
void CopyText(char (&field)[KORDON_TEXT_SIZE], const char* text) {
    size_t length = strnlen(text, KORDON_TEXT_SIZE);
    if (length > KORDON_MAX_TEXT) length = KORDON_MAX_TEXT;
    memcpy(field, text, length);
    field[length] = '\0';
}

}  // namespace

IMPLEMENT_DYNCREATE(CActiveXBlock, CFormView)

BEGIN_MESSAGE_MAP(CActiveXBlock, CFormView)
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_ACTIVEX_LIST, OnColumnclickActivexList)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_ACTIVEX_LIST, OnItemchangedActivexList)
    ON_NOTIFY(LVN_INSERTITEM, IDC_ACTIVEX_LIST, OnRowsActivexList)
    ON_NOTIFY(LVN_DELETEITEM, IDC_ACTIVEX_LIST, OnRowsActivexList)
    ON_NOTIFY(LVN_DELETEALLITEMS, IDC_ACTIVEX_LIST, OnRowsActivexList)
    ON_NOTIFY(NM_CLICK, IDC_ACTIVEX_LIST, OnClickActivexList)
    ON_BN_CLICKED(IDC_ACTIVEX_EDIT, OnButtonEdit)
    ON_BN_CLICKED(IDC_ACTIVEX_DELETE, OnButtonDelete)
    ON_BN_CLICKED(IDC_ACTIVEX_ADD, OnButtonAdd)
END_MESSAGE_MAP()

CActiveXBlock::CActiveXBlock() : CFormView(IDD) {}

void CActiveXBlock::DoDataExchange(CDataExchange* pDX) {
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ACTIVEX_EDIT, m_editButton);
    DDX_Control(pDX, IDC_ACTIVEX_DELETE, m_deleteButton);
    DDX_Control(pDX, IDC_ACTIVEX_ADD, m_addButton);
    DDX_Control(pDX, IDC_ACTIVEX_LIST, m_list);
}

int CActiveXBlock::Box(LPCTSTR text, UINT type) { return MessageBox(text, activex::kBoxTitle, type); }

void CActiveXBlock::SaveDatabase() {
    if (m_kordon.loaded() && !m_kordon.DBSave()) Box(activex::kMsgSaveFailed, MB_OK | MB_ICONSTOP);
}

void CActiveXBlock::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    m_font.CreatePointFont(90, activex::kFontName);

    const bool haveLibrary = m_kordon.Load(LibraryFileName());
    if (!haveLibrary) Box(activex::kMsgLibraryMissing);

    CRect client;
    m_list.GetClientRect(&client);
    m_list.InsertColumn(kColumnTick, "", LVCFMT_LEFT, 24);
    m_list.InsertColumn(kColumnClsid, activex::kColumnClsid, LVCFMT_LEFT, client.Width() - 214);
    m_list.InsertColumn(kColumnName, activex::kColumnName, LVCFMT_LEFT, kNameWidth);
    m_list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE);
    m_header.m_pOwnerPage = this;
    m_header.SubclassHeader(m_list.GetHeaderCtrl());

    // Without the library there is no database to load and nothing to change.
    if (haveLibrary && !m_kordon.DBLoad(KORDON_DEFAULT_ADB)) Box(activex::kMsgDatabaseFailed);
    if (!haveLibrary) {
        for (int id : {IDC_ACTIVEX_EDIT, IDC_ACTIVEX_DELETE, IDC_ACTIVEX_ADD}) GetDlgItem(id)->EnableWindow(FALSE);
    }

    GetDlgItem(IDC_ACTIVEX_DELETE)->ShowWindow(SW_HIDE);
    FillList();
    m_nSortFlag = 0;
    m_nChangeHandling = 1;
}

void CActiveXBlock::AppendRow(int row, const char* clsid, const char* name, BOOL checked) {
    m_list.InsertItem(row, "");
    m_list.SetItemText(row, kColumnClsid, clsid);
    m_list.SetItemText(row, kColumnName, name);
    m_list.SetCheck(row, checked);
}

void CActiveXBlock::FillList() {
    m_header.SetHeaderImage(kColumnTick, CSortHeaderCtrl::kUncheckedBox);
    m_list.DeleteAllItems();
    m_list.SetColumnWidth(kColumnName, kNameWidth);

    int rows = 0, checked = 0;
    ui::RedrawHold redraw;
    redraw.Begin(m_list.m_hWnd);
    for (const ActiveXBlockRecord* record = m_kordon.GetListItem(); record != nullptr; record = record->next) {
        char clsid[KORDON_TEXT_SIZE], name[KORDON_TEXT_SIZE];
        CopyText(clsid, record->clsid);
        CopyText(name, record->name);
        AppendRow(rows, clsid, name, record->blocked ? TRUE : FALSE);
        if (record->blocked) ++checked;
        if (++rows == kRowsWithoutScrollBar + 1) m_list.SetColumnWidth(kColumnName, kNarrowNameWidth);
        redraw.Step();
    }
    redraw.End();
    if (rows == checked) {
        m_header.SetHeaderImage(kColumnTick, CSortHeaderCtrl::kCheckedBox);
        m_nAllChecked = 1;
    }
    m_nTotalCount = m_kordon.GetDBCount();
    ShowTotalCount();
    m_nBlockedCount = m_kordon.GetKillbitCount();
    ShowBlockedCount();
}

void CActiveXBlock::ShowTotalCount() {
    CString text;
    text.Format(activex::kCountFormat, m_nTotalCount);
    SetDlgItemText(IDC_ACTIVEX_COUNT, text);
}

void CActiveXBlock::ShowBlockedCount() {
    CString text;
    text.Format(activex::kBlockedFormat, m_nBlockedCount);
    SetDlgItemText(IDC_ACTIVEX_BLOCKED, text);
}

void CActiveXBlock::OnRowsActivexList(NMHDR* pNMHDR, LRESULT* pResult) { *pResult = m_ticks.OnNotify(pNMHDR); }

// Tick-box changes only: the state image changed, to the unticked or the
// ticked box. (The new state also carries the row's selection and focus bits,
// so it is the state-image part alone that is compared.)
void CActiveXBlock::OnItemchangedActivexList(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = m_ticks.OnNotify(pNMHDR);
    if (!m_nChangeHandling) return;
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (!(change->uChanged & LVIF_STATE)) return;
    if (((change->uOldState ^ change->uNewState) & LVIS_STATEIMAGEMASK) == 0) return;
    const UINT image = change->uNewState & LVIS_STATEIMAGEMASK;
    if (image != kUnchecked && image != kChecked) return;

    m_list.SetSelectionMark(0);
    GetDlgItem(IDC_ACTIVEX_DELETE)->ShowWindow(SW_HIDE);
    ApplyTick(change->iItem, image == kChecked);
    SaveDatabase();
    m_nBlockedCount = m_kordon.GetKillbitCount();
    if (m_nTotalCount == m_nBlockedCount) m_header.SetHeaderImage(kColumnTick, CSortHeaderCtrl::kCheckedBox);
    ShowBlockedCount();
}

void CActiveXBlock::ApplyTick(int row, bool checked) {
    const CString clsid = m_list.GetItemText(row, kColumnClsid);
    if (checked) {
        m_kordon.Lock(clsid);
        if (m_ticks.AllTicked()) {
            m_header.SetHeaderImage(kColumnTick, CSortHeaderCtrl::kCheckedBox);
            m_nAllChecked = 1;
        }
    } else {
        m_kordon.UnLock(clsid);
        if (m_nAllChecked) {
            m_header.SetHeaderImage(kColumnTick, CSortHeaderCtrl::kUncheckedBox);
            m_nAllChecked = 0;
        }
    }
}

// Every click saves the database once, after what it changed.
void CActiveXBlock::OnColumnclickActivexList(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const int column = reinterpret_cast<const NMLISTVIEW*>(pNMHDR)->iSubItem;
    const bool sortColumn = column == kColumnClsid || column == kColumnName;
    const bool ascending = m_nSortFlag != 0;
    m_nChangeHandling = 0;
    const int rows = m_list.GetItemCount();
    bool ticksMoved = false;
    if (rows > 0 && column == kColumnTick) {
        if (m_nAllChecked) {
            for (int row = 0; row < rows; ++row) {
                if (!m_list.GetCheck(row)) continue;
                m_kordon.UnLock(m_list.GetItemText(row, kColumnClsid));
                m_list.SetCheck(row, FALSE);
            }
            m_nAllChecked = 0;
            m_header.SetHeaderImage(kColumnTick, CSortHeaderCtrl::kUncheckedBox);
        } else {
            for (int row = 0; row < rows; ++row) {
                if (m_list.GetCheck(row)) continue;
                m_kordon.Lock(m_list.GetItemText(row, kColumnClsid));
                m_list.SetCheck(row, TRUE);
            }
            m_nAllChecked = 1;
            m_header.SetHeaderImage(kColumnTick, CSortHeaderCtrl::kCheckedBox);
        }
    } else if (sortColumn) {
        ticksMoved = SortByColumn(column, ascending);
    }
    SaveDatabase();
    m_nBlockedCount = m_kordon.GetKillbitCount();
    if (ticksMoved && m_nTotalCount == m_nBlockedCount)
        m_header.SetHeaderImage(kColumnTick, CSortHeaderCtrl::kCheckedBox);
    ShowBlockedCount();
    m_nChangeHandling = 1;

    if (sortColumn) {
        m_nSortFlag = ascending ? 0 : 1;
        m_header.SetHeaderImage(column, ascending ? CSortHeaderCtrl::kUpArrow : CSortHeaderCtrl::kDownArrow);
    }
}

// The order of an exchange sort over the rows: for each row from the first,
// every later row that belongs before it is exchanged with it (CLSID, name
// and tick), and the comparisons go on with the text it then holds. When no
// two rows have the same text, that is the one sorted order, found in
// n log n; with equal texts the sort runs itself, for its own order among them.
// The rows go back once in their new order; each row whose tick then differs
// from before passes through the tick-box steps once, for the CLSID that now
// stands in it, which applies that CLSID's own state again.
bool CActiveXBlock::SortByColumn(int column, bool ascending) {
    struct Row {
        CString clsid, name;
        BOOL checked;
    };
    const int count = m_list.GetItemCount();
    std::vector<Row> rows;
    rows.reserve(count);
    for (int row = 0; row < count; ++row)
        rows.push_back({m_list.GetItemText(row, kColumnClsid), m_list.GetItemText(row, kColumnName), m_list.GetCheck(row)});
    auto text = [&](int row) -> const char* { return column == kColumnClsid ? rows[row].clsid : rows[row].name; };
    // Byte by byte, as multi-byte text: < 0 when row a belongs before row b.
    auto compare = [&](int a, int b) {
        const int order = strcmp(text(a), text(b));
        return ascending ? order : -order;
    };

    std::vector<int> order(count);  // order[row]: the row of rows that goes there
    for (int row = 0; row < count; ++row) order[row] = row;
    std::sort(order.begin(), order.end(), [&](int a, int b) { return compare(a, b) < 0; });
    bool distinct = true;
    for (int row = 1; row < count && distinct; ++row) distinct = compare(order[row - 1], order[row]) != 0;
    if (!distinct) {
        for (int row = 0; row < count; ++row) order[row] = row;
        for (int i = 0; i + 1 < count; ++i)
            for (int j = i + 1; j < count; ++j)
                if (compare(order[j], order[i]) < 0) std::swap(order[i], order[j]);
    }

    std::vector<int> ticksChanged;
    for (int row = 0; row < count; ++row) {
        if (order[row] == row) continue;
        const Row& moved = rows[order[row]];
        m_list.SetItemText(row, kColumnClsid, moved.clsid);
        m_list.SetItemText(row, kColumnName, moved.name);
        if (moved.checked != rows[row].checked) {
            m_list.SetCheck(row, moved.checked);
            ticksChanged.push_back(row);
        }
    }
    if (ticksChanged.empty()) return false;
    m_list.SetSelectionMark(0);
    GetDlgItem(IDC_ACTIVEX_DELETE)->ShowWindow(SW_HIDE);
    for (int row : ticksChanged) ApplyTick(row, rows[order[row]].checked != FALSE);
    return true;
}

void CActiveXBlock::OnClickActivexList(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    if (m_kordon.loaded()) GetDlgItem(IDC_ACTIVEX_DELETE)->ShowWindow(SW_SHOW);
}

int CActiveXBlock::MarkedRow() const {
    const int mark = m_list.GetSelectionMark();
    return mark >= 0 && mark < m_list.GetItemCount() ? mark : -1;
}

void CActiveXBlock::OnButtonAdd() {
    if (!m_kordon.loaded()) return;
    const int row = m_list.GetItemCount();
    CActiveXEditDlg dialog(this, CActiveXEditDlg::kModeAdd);
    if (dialog.DoModal() != IDOK) return;

    m_nChangeHandling = 0;
    ActiveXBlockRecord record = {};
    CopyText(record.name, dialog.m_strName);
    CopyText(record.clsid, dialog.m_strClsid);
    CopyText(record.alternateClsid, dialog.m_strAlternateClsid);
    m_kordon.DBAdd(&record);
    AppendRow(row, record.clsid, record.name, FALSE);
    ++m_nTotalCount;
    ShowTotalCount();
    Box(activex::kMsgAdded);
    SaveDatabase();
    m_nChangeHandling = 1;
}

void CActiveXBlock::OnButtonEdit() {
    if (!m_kordon.loaded()) return;
    const int row = MarkedRow();
    if (row < 0) {
        Box(activex::kMsgSelectToEdit);
        return;
    }
    const CString before = m_list.GetItemText(row, kColumnClsid);
    CActiveXEditDlg dialog(this, CActiveXEditDlg::kModeEdit);
    dialog.m_strName = m_list.GetItemText(row, kColumnName);
    dialog.m_strClsid = before;
    if (dialog.DoModal() != IDOK) return;

    ActiveXBlockRecord record = {};
    CopyText(record.name, dialog.m_strName);
    CopyText(record.clsid, dialog.m_strClsid);
    CopyText(record.alternateClsid, dialog.m_strAlternateClsid);
    m_list.SetItemText(row, kColumnClsid, record.clsid);
    m_list.SetItemText(row, kColumnName, record.name);
    record.blocked = m_list.GetCheck(row) ? 1 : 0;
    m_kordon.DBEdit(before, &record);
    SaveDatabase();
    Box(activex::kMsgChanged);
}

void CActiveXBlock::OnButtonDelete() {
    if (!m_kordon.loaded()) return;
    const int row = MarkedRow();
    if (row < 0) {
        Box(activex::kMsgSelectToDelete);
        return;
    }
    if (Box(activex::kAskDelete, MB_YESNO | MB_ICONQUESTION) != IDYES) return;

    m_nChangeHandling = 0;
    const CString clsid = m_list.GetItemText(row, kColumnClsid);
    const bool checked = m_list.GetCheck(row) != FALSE;
    if (checked) m_kordon.UnLock(clsid);
    ActiveXBlockRecord record = {};
    CopyText(record.clsid, clsid);
    if (m_kordon.DBDel(&record)) {
        if (checked) {
            --m_nBlockedCount;
            ShowBlockedCount();
        }
        --m_nTotalCount;
        ShowTotalCount();
        m_list.DeleteItem(row);
        Box(activex::kMsgDeleted);
        SaveDatabase();
    } else {
        Box(activex::kMsgDeleteFailed);
    }
    m_nChangeHandling = 1;
}

void CActiveXBlock::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    ui::DrawPictureAtBottom(dc, IDB_PAGE_FOOT, client, 0);
    ui::DrawPicture(dc, IDB_ACTIVEX_HEAD, 30, 15);

    CFont* oldFont = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(15, client.bottom - 26, activex::kFooter, static_cast<int>(strlen(activex::kFooter)));
    dc.SelectObject(oldFont);
}

HBRUSH CActiveXBlock::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (HBRUSH white = ui::PageControlBrush(pDC, nCtlColor)) return white;
    return CFormView::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CActiveXBlock::OnDestroy() {
    if (m_kordon.loaded()) {
        if (!m_kordon.DBUnLoad()) Box(activex::kMsgUnloadFailed);
        m_kordon.Free();
    }
    CFormView::OnDestroy();
}
