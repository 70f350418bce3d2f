#include "app/clean/disk_clean_dlg.h"

#include <commctrl.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/clean/clean_texts.h"
#include "app/clean/disk_targets.h"
#include "app/shell_texts.h"

namespace {

constexpr UINT_PTR kDeleteTimer = 0;
constexpr UINT kDeleteDelay = 500;     // ms after the walk of Delete
constexpr UINT_PTR kRedrawTimer = 1;   // redraws the list the scan fills
constexpr int kRowsPerSelectStep = 200;  // rows ticked by one step of the tick-all pass
constexpr DWORD kFilePause = 5;        // ms after each listed file
constexpr DWORD kRecycleBinPause = 300;
constexpr DWORD kFolderPause = 150;    // after the Windows temporary folder and each cookie folder
constexpr int kSizeWidth = 80;
constexpr int kNarrowSizeWidth = 63;   // once more than 8 rows: room for the scroll bar
constexpr int kRowsBeforeNarrowing = 8;

enum SelectStep : WPARAM { kShowChecked, kCheckRows, kSelectAllEnded };

// Radio pairs and check boxes, by target.
struct TargetControls {
    int check, allRadio, searchRadio;
};
constexpr TargetControls kCookies = {IDC_DISK_COOKIES, IDC_DISK_COOKIES_ALL, IDC_DISK_COOKIES_SEARCH};
constexpr TargetControls kTempFiles = {IDC_DISK_TEMP, IDC_DISK_TEMP_ALL, IDC_DISK_TEMP_SEARCH};
constexpr TargetControls kWindowsTemp = {IDC_DISK_WINTEMP, IDC_DISK_WINTEMP_ALL, IDC_DISK_WINTEMP_SEARCH};
constexpr TargetControls kRecycleBin = {IDC_DISK_RECYCLE, IDC_DISK_RECYCLE_ALL, IDC_DISK_RECYCLE_SEARCH};
constexpr const TargetControls* kTargets[] = {&kCookies, &kRecycleBin, &kTempFiles, &kWindowsTemp};

}  // namespace

// One step of the scan worker, made on its thread and applied by the tab on
// its own. It owns all it carries: nothing points into the worker's walk.
struct CDiskCleanDlg::ScanStep {
    enum Kind { kBegin, kRecycleBinBegin, kRecycleBinRow, kFile, kRefusedFolder, kDropIndexDat, kEnd };
    ScanStep(LONG scanPass, Kind stepKind) : pass(scanPass), kind(stepKind) {}
    LONG pass;
    Kind kind;
    int count = 0;          // kRecycleBinRow: items in the bin
    std::string path;       // kFile; kRefusedFolder: the folder, ending in "\"
    std::string name;       // kFile; kRefusedFolder: why it is not emptied
    uint64_t size = 0;      // kFile
    base::ListedItem listed;  // kFile: what reaches the file again
};

BEGIN_MESSAGE_MAP(CDiskCleanDlg, CCleanTabDlg)
    ON_BN_CLICKED(IDC_DISK_COOKIES, OnCheckCookies)
    ON_BN_CLICKED(IDC_DISK_TEMP, OnCheckTempFiles)
    ON_BN_CLICKED(IDC_DISK_WINTEMP, OnCheckWindowsTemp)
    ON_BN_CLICKED(IDC_DISK_RECYCLE, OnCheckRecycleBin)
    ON_BN_CLICKED(IDC_DISK_COOKIES_ALL, OnRadioCookiesAll)
    ON_BN_CLICKED(IDC_DISK_TEMP_ALL, OnRadioTempFilesAll)
    ON_BN_CLICKED(IDC_DISK_WINTEMP_ALL, OnRadioWindowsTempAll)
    ON_BN_CLICKED(IDC_DISK_RECYCLE_ALL, OnRadioRecycleBinAll)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_DISK_LIST, OnColumnclickDiskList)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_DISK_LIST, OnItemchangedDiskList)
    ON_NOTIFY(LVN_INSERTITEM, IDC_DISK_LIST, OnRowsDiskList)
    ON_NOTIFY(LVN_DELETEITEM, IDC_DISK_LIST, OnRowsDiskList)
    ON_NOTIFY(LVN_DELETEALLITEMS, IDC_DISK_LIST, OnRowsDiskList)
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_DISK_SCAN_STEP, OnScanStep)
    ON_MESSAGE(WM_DISK_SELECT_STEP, OnSelectStep)
END_MESSAGE_MAP()

CDiskCleanDlg::CDiskCleanDlg() : CCleanTabDlg(IDD) {}

CDiskCleanDlg::~CDiskCleanDlg() = default;

void CDiskCleanDlg::DoDataExchange(CDataExchange* pDX) {
    CCleanTabDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DISK_LIST, m_list);
    DDX_Check(pDX, IDC_DISK_COOKIES, m_bCookies);
    DDX_Check(pDX, IDC_DISK_RECYCLE, m_bRecycleBin);
    DDX_Check(pDX, IDC_DISK_TEMP, m_bTempFiles);
    DDX_Check(pDX, IDC_DISK_WINTEMP, m_bWindowsTemp);
    DDX_Radio(pDX, IDC_DISK_COOKIES_ALL, m_nCookiesMode);
    DDX_Radio(pDX, IDC_DISK_TEMP_ALL, m_nTempFilesMode);
    DDX_Radio(pDX, IDC_DISK_WINTEMP_ALL, m_nWindowsTempMode);
    DDX_Radio(pDX, IDC_DISK_RECYCLE_ALL, m_nRecycleBinMode);
}

BOOL CDiskCleanDlg::OnInitDialog() {
    CCleanTabDlg::OnInitDialog();

    CRect client;
    m_list.GetClientRect(&client);
    m_list.InsertColumn(0, "", LVCFMT_CENTER, 25);
    m_list.InsertColumn(1, clean::kColumnPath, LVCFMT_LEFT, client.Width() - 105);
    m_list.InsertColumn(2, clean::kColumnSize, LVCFMT_RIGHT, kSizeWidth);
    m_list.SetExtendedStyle(LVS_EX_CHECKBOXES);
    m_header.m_pOwnerPage = this;
    m_header.SubclassHeader(m_list.GetHeaderCtrl());
    ResetPage();
    return TRUE;
}

void CDiskCleanDlg::EnablePair(int firstRadio, int secondRadio, BOOL enable) {
    GetDlgItem(firstRadio)->EnableWindow(enable);
    GetDlgItem(secondRadio)->EnableWindow(enable);
}

void CDiskCleanDlg::ResetPage() {
    KillTimer(kDeleteTimer);
    EndListing();
    m_list.SetColumnWidth(2, kSizeWidth);
    m_list.ShowWindow(SW_HIDE);
    for (const TargetControls* target : kTargets) {
        GetDlgItem(target->check)->ShowWindow(SW_SHOW);
        GetDlgItem(target->allRadio)->ShowWindow(SW_SHOW);
        GetDlgItem(target->searchRadio)->ShowWindow(SW_SHOW);
        EnablePair(target->allRadio, target->searchRadio, FALSE);
    }
    m_list.DeleteAllItems();
    m_listedFiles.Clear();
    m_list.SetColumnWidth(2, kSizeWidth);
    m_bCookies = m_bRecycleBin = m_bTempFiles = m_bWindowsTemp = 0;
    ShowAllChecked(false);
    m_nRowCount = 0;
    m_nScanning = 0;
    m_nDeleteAllFailCount = 0;
    m_nRecycleRow = 0;
    m_nCookiesMode = m_nTempFilesMode = m_nWindowsTempMode = m_nRecycleBinMode = 1;
    UpdateData(FALSE);
}

void CDiskCleanDlg::OnCheckTarget(int check, int allRadio, int searchRadio) {
    UpdateData(TRUE);
    EnablePair(allRadio, searchRadio, IsDlgButtonChecked(check) == BST_CHECKED);
}

void CDiskCleanDlg::OnCheckCookies() { OnCheckTarget(kCookies.check, kCookies.allRadio, kCookies.searchRadio); }
void CDiskCleanDlg::OnCheckTempFiles() { OnCheckTarget(kTempFiles.check, kTempFiles.allRadio, kTempFiles.searchRadio); }
void CDiskCleanDlg::OnCheckWindowsTemp() {
    OnCheckTarget(kWindowsTemp.check, kWindowsTemp.allRadio, kWindowsTemp.searchRadio);
}
void CDiskCleanDlg::OnCheckRecycleBin() {
    OnCheckTarget(kRecycleBin.check, kRecycleBin.allRadio, kRecycleBin.searchRadio);
}

// ---- the search --------------------------------------------------------------

clean::Outcome CDiskCleanDlg::Start() {
    Host().SetStartText(clean::kCaptionStop);
    UpdateData(TRUE);
    if (!m_bCookies && !m_bRecycleBin && !m_bTempFiles && !m_bWindowsTemp) {
        MessageBox(clean::kMsgNoTarget, shell::kAppTitle, MB_OK | MB_ICONEXCLAMATION);
        Host().SetStartText(clean::kCaptionStart);
        return clean::Outcome::kDone;
    }
    for (const TargetControls* target : kTargets) {
        GetDlgItem(target->check)->ShowWindow(SW_HIDE);
        GetDlgItem(target->allRadio)->ShowWindow(SW_HIDE);
        GetDlgItem(target->searchRadio)->ShowWindow(SW_HIDE);
    }
    m_list.ShowWindow(SW_SHOW);

    const ScanChoice choice = {m_bRecycleBin != 0, m_bTempFiles != 0, m_bWindowsTemp != 0, m_bCookies != 0};
    m_nScanning = 1;
    // A scan before the last tab switch may still be ending: Start waits for it.
    if (!m_scan.Start([this, choice](LONG pass) { RunScan(pass, choice); }))
        FinishScan();  // no worker: the list stays empty, the page is not left busy
    return clean::Outcome::kRuns;
}

bool CDiskCleanDlg::Stop() {
    if (!m_nScanning) return true;
    HoldScan();
    if (Host().Ask(clean::kMsgStopQuestion, clean::kBoxTitle, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        ContinueScan();
        return false;
    }
    AbandonScan();
    return true;
}

// The targets in their order of search (not their order on screen). Every
// change to the list and the host is made on the tab's thread (PostScanStep);
// a stopped pass ends at its next step.
void CDiskCleanDlg::RunScan(LONG pass, ScanChoice choice) {
    using clean::DiskTarget;
    m_pauseOverrun = 0;
    const clean::SystemFolders system = clean::ReadSystemFolders();
    if (!PostScanStep(ScanStep(pass, ScanStep::kBegin))) return;

    if (choice.recycleBin) {
        if (!PostScanStep(ScanStep(pass, ScanStep::kRecycleBinBegin))) return;
        const int count = clean::RecycleBinItemCount();
        if (count > 0) {
            ScanStep row(pass, ScanStep::kRecycleBinRow);
            row.count = count;
            if (!PostScanStep(std::move(row))) return;
        }
        PauseScan(kRecycleBinPause);
    }
    if (choice.tempFiles) {
        for (const clean::TargetFolder& folder : clean::TargetFolders(DiskTarget::TempFiles, system))
            if (!ListFolder(pass, folder)) return;
    }
    if (choice.windowsTemp) {
        for (const clean::TargetFolder& folder : clean::TargetFolders(DiskTarget::WindowsTemp, system))
            if (!ListFolder(pass, folder)) return;
        PauseScan(kFolderPause);
    }
    if (choice.cookies) {
        for (const clean::TargetFolder& folder : clean::TargetFolders(DiskTarget::Cookies, system)) {
            if (!ListFolder(pass, folder)) return;
            if (!PostScanStep(ScanStep(pass, ScanStep::kDropIndexDat))) return;
            PauseScan(kFolderPause);
        }
    }
    PostScanStep(ScanStep(pass, ScanStep::kEnd));
}

// Sleep may overrun by a fraction of a millisecond (half of one under Wine),
// which would add up over thousands of files: the overrun of one pause is
// taken off the next, so that the pauses last as long as asked altogether.
void CDiskCleanDlg::PauseScan(DWORD ms) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const double due = ms - m_pauseOverrun;
    if (due >= 0.5) Sleep(static_cast<DWORD>(due + 0.5));
    QueryPerformanceCounter(&end);
    m_pauseOverrun += double(end.QuadPart - start.QuadPart) * 1000 / double(frequency.QuadPart) - ms;
    if (m_pauseOverrun > ms) m_pauseOverrun = ms;  // a long stall costs at most the next pause
}

// A refused folder gets a row of its own that says why; nothing in it is listed.
bool CDiskCleanDlg::ListFolder(LONG pass, const clean::TargetFolder& folder) {
    const char* refused = clean::RefusalText(folder.refusal);
    if (!refused) return ListFiles(pass, folder);
    ScanStep step(pass, ScanStep::kRefusedFolder);
    step.path = folder.pattern.substr(0, folder.pattern.size() - strlen("*.*"));
    step.name = refused;
    return PostScanStep(std::move(step));
}

bool CDiskCleanDlg::ListFiles(LONG pass, const clean::TargetFolder& folder) {
    return clean::ListFiles(folder, [this, pass](const char* path, const char* name, const base::ListedItem& listed) {
        ScanStep step(pass, ScanStep::kFile);
        step.path = path;
        step.name = name;
        step.listed = listed;
        step.size = clean::FileLength(path);
        if (!PostScanStep(std::move(step))) return false;
        PauseScan(kFilePause);
        return true;
    });
}

// Hands one step to the tab without waiting for it: the step joins the tab's
// queue, and a message wakes the tab when the queue was empty (the tab takes
// every step it finds). While the stop question is open the worker waits
// here. False once the pass is stopped.
bool CDiskCleanDlg::PostScanStep(ScanStep&& step) {
    if (!m_scan.Proceed(step.pass)) return false;
    bool wake;
    {
        base::ScopedLock hold(m_stepsLock);
        wake = m_steps.empty();
        m_steps.push_back(std::move(step));
    }
    if (wake) PostMessage(WM_DISK_SCAN_STEP);
    return true;
}

// Applies the queued steps in their order. While the stop question is open
// they stay queued (ContinueScan wakes the tab again); a step of a stopped or
// earlier pass changes nothing.
LRESULT CDiskCleanDlg::OnScanStep(WPARAM, LPARAM) {
    if (m_scan.Held()) return 0;
    std::vector<ScanStep> steps;
    {
        base::ScopedLock hold(m_stepsLock);
        steps.swap(m_steps);
    }
    for (const ScanStep& step : steps) {
        if (m_scan.IsCurrent(step.pass)) ApplyScanStep(step);
    }
    return 0;
}

void CDiskCleanDlg::ApplyScanStep(const ScanStep& step) {
    switch (step.kind) {
    case ScanStep::kBegin:
        m_nRowCount = 0;
        m_redraw.Begin(m_list.m_hWnd);  // until the scan ends; redrawn every 100 ms meanwhile
        SetTimer(kRedrawTimer, ui::RedrawHold::kInterval, nullptr);
        m_list.DeleteAllItems();
        m_listedFiles.Clear();
        Host().ShowStatusLine(true);
        break;
    case ScanStep::kRecycleBinBegin:
        Host().SetStatusText(clean::kStatusRecycleBin);
        m_nRecycleRow = 0;
        break;
    case ScanStep::kRecycleBinRow: {
        CString text;
        text.Format(clean::kRecycleRowFormat, step.count);
        m_list.InsertItem(0, "");
        m_list.SetItemText(0, 1, text);
        ++m_nRowCount;
        m_nRecycleRow = 1;
        m_redraw.Changed();
        break;
    }
    case ScanStep::kFile: AppendFileRow(step); break;
    case ScanStep::kRefusedFolder: AppendRefusedRow(step); break;
    case ScanStep::kDropIndexDat: RemoveIndexDatRows(); break;
    case ScanStep::kEnd: FinishScan(); break;
    }
}

void CDiskCleanDlg::AppendFileRow(const ScanStep& step) {
    const int row = m_list.InsertItem(m_list.GetItemCount(), "");
    m_list.SetItemText(row, 1, step.path.c_str());
    m_listedFiles.Add(step.path, step.listed);
    Host().SetStatusText(clean::ListingStatus(step.path.c_str(), step.name.c_str()).c_str());
    m_list.SetItemText(row, 2, clean::SizeText(step.size).c_str());
    if (++m_nRowCount == kRowsBeforeNarrowing + 1) m_list.SetColumnWidth(2, kNarrowSizeWidth);
    m_redraw.Changed();
}

// The row of a folder that is not emptied: the folder and why. No file of
// the search, so deleting the ticked rows passes it over.
void CDiskCleanDlg::AppendRefusedRow(const ScanStep& step) {
    const int row = m_list.InsertItem(m_list.GetItemCount(), "");
    m_list.SetItemText(row, 1, step.path.c_str());
    m_list.SetItemText(row, 2, step.name.c_str());
    if (++m_nRowCount == kRowsBeforeNarrowing + 1) m_list.SetColumnWidth(2, kNarrowSizeWidth);
    m_redraw.Changed();
}

// Walks the whole list, last row first; the row counter stays as it is.
void CDiskCleanDlg::RemoveIndexDatRows() {
    for (int row = m_list.GetItemCount() - 1; row >= 0; --row) {
        if (clean::IsIndexDatPath(m_list.GetItemText(row, 1))) m_list.DeleteItem(row);
    }
    m_redraw.Changed();
}

// The list shows everything the scan put in it and redraws as usual again.
void CDiskCleanDlg::EndListing() {
    KillTimer(kRedrawTimer);
    m_redraw.End();
}

void CDiskCleanDlg::FinishScan() {
    m_nScanning = 0;
    EndListing();
    Host().ShowDeleteButton(true);
    Host().SetStartText(clean::kCaptionInitialScreen);
    Host().SetStatusText(clean::kStatusSearchDone);
    if (m_nRowCount == 0) Host().ShowDeleteButton(false);
    Host().RunEnded();
}

void CDiskCleanDlg::HoldScan() { m_scan.Hold(); }

void CDiskCleanDlg::ContinueScan() {
    m_scan.Continue();
    PostMessage(WM_DISK_SCAN_STEP);  // for the steps that waited meanwhile
}

void CDiskCleanDlg::AbandonScan() {
    m_scan.Stop();  // nothing of this pass reaches the list
    m_scan.Join();
    m_nScanning = 0;
    EndListing();
    Host().BusyChanged();
}

// ---- ticking all rows through the header -------------------------------------

void CDiskCleanDlg::OnColumnclickDiskList(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const NMLISTVIEW* view = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (m_list.GetItemCount() == 0 || view->iSubItem != 0) return;
    if (!m_nAllChecked) {
        // The last pass has ended; only its thread may linger, and Start waits for it.
        m_selectAll.Start([this](LONG pass) { SelectAll(pass); });
        m_nAllChecked = 1;
        Host().BusyChanged();
        return;
    }
    StopSelectAll();
    for (int row = 0; row < m_list.GetItemCount(); ++row) m_list.SetCheck(row, FALSE);
    ShowAllChecked(false);
}

void CDiskCleanDlg::ShowAllChecked(bool allChecked) {
    m_nAllChecked = allChecked ? 1 : 0;
    m_header.SetHeaderImage(0, m_nAllChecked);
}

// The tick-all pass on its worker thread: the rows are ticked by the tab, a
// run at a time.
void CDiskCleanDlg::SelectAll(LONG pass) {
    const HWND window = m_hWnd;
    ::SendMessageA(window, WM_DISK_SELECT_STEP, kShowChecked, 0);
    for (int row = 0; m_selectAll.Proceed(pass);) {
        const int ticked = static_cast<int>(::SendMessageA(window, WM_DISK_SELECT_STEP, kCheckRows, row));
        if (ticked == 0) break;  // past the last row, or stopped
        row += ticked;
    }
    ::PostMessageA(window, WM_DISK_SELECT_STEP, kSelectAllEnded, pass);
}

// Steps of the tick-all pass; a stopped pass ticks no further row. A step
// ticks a run of rows from lParam on and answers how many (0: none left).
LRESULT CDiskCleanDlg::OnSelectStep(WPARAM wParam, LPARAM lParam) {
    switch (wParam) {
    case kShowChecked:
        if (!m_selectAll.Stopped()) m_header.SetHeaderImage(0, 1);
        return 0;
    case kCheckRows: {
        const int first = static_cast<int>(lParam);
        const int end = std::min(first + kRowsPerSelectStep, m_list.GetItemCount());
        if (m_selectAll.Stopped() || first >= end) return 0;
        for (int row = first; row < end; ++row) m_list.SetCheck(row, TRUE);
        return end - first;
    }
    case kSelectAllEnded:
        // The pass's last word: its thread is ending (a stopped pass was waited for).
        if (m_selectAll.IsCurrent(static_cast<LONG>(lParam))) m_selectAll.Join();
        Host().BusyChanged();
        return 0;
    }
    return 0;
}

void CDiskCleanDlg::StopSelectAll() {
    m_selectAll.Stop();
    m_selectAll.Join();
    Host().BusyChanged();
}

void CDiskCleanDlg::OnRowsDiskList(NMHDR* pNMHDR, LRESULT* pResult) { *pResult = m_ticks.OnNotify(pNMHDR); }

void CDiskCleanDlg::OnItemchangedDiskList(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = m_ticks.OnNotify(pNMHDR);
    const ui::HeaderBox box = m_ticks.HeaderBoxAfter(pNMHDR, m_nAllChecked != 0);
    if (box != ui::HeaderBox::kKeep) ShowAllChecked(box == ui::HeaderBox::kShowTicked);
}

// ---- deleting the ticked rows ------------------------------------------------

clean::Outcome CDiskCleanDlg::Delete() {
    Host().BeginWaitCursor();
    m_nFailCount = 0;
    m_nSelectedCount = 0;
    for (int row = m_list.GetItemCount() - 1; row >= 0; --row) {
        if (row == 0 && m_nRecycleRow) {
            if (m_list.GetCheck(0)) {
                clean::EmptyRecycleBins();
                m_nRecycleRow = 0;
                ++m_nSelectedCount;
                m_list.DeleteItem(0);
            }
            continue;
        }
        if (m_list.GetCheck(row) && IsFileRow(row)) ++m_nSelectedCount;
    }
    const int fileRows = m_list.GetItemCount() - (m_nRecycleRow ? 1 : 0);
    // Armed once, after the walk over the rows: it fires 500 ms after it.
    if (fileRows > 0) SetTimer(kDeleteTimer, kDeleteDelay, nullptr);
    if (m_list.GetItemCount() == 0) m_header.SetHeaderImage(0, 0);
    if (m_nSelectedCount == 0 || fileRows == 0) Host().DeletionDone();
    if (m_nSelectedCount > 0) return clean::Outcome::kRuns;
    Host().Ask(clean::kMsgNothingChecked, shell::kAppTitle, MB_OK | MB_ICONSTOP);
    Host().EndWaitCursor();
    return clean::Outcome::kDone;
}

bool CDiskCleanDlg::IsFileRow(int row) const {
    return m_listedFiles.Contains(static_cast<LPCTSTR>(m_list.GetItemText(row, 1)));
}

CCleanTabDlg::Report CDiskCleanDlg::DeletionReport() const {
    const int failures = m_nFailCount;
    if (failures == 0) return {clean::kMsgDeletionDone, MB_ICONEXCLAMATION};
    return {failures == 1 ? clean::kMsgFileInUse : clean::kMsgFilesInUse, MB_ICONSTOP};
}

void CDiskCleanDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kDeleteTimer) DeleteCheckedFiles();
    else if (nIDEvent == kRedrawTimer) m_redraw.Flush();
    else CCleanTabDlg::OnTimer(nIDEvent);
}

// Runs on the tab's thread; waits for a tick-all pass by firing again later.
void CDiskCleanDlg::DeleteCheckedFiles() {
    if (m_selectAll.Busy()) return;
    KillTimer(kDeleteTimer);
    clean::ListedFiles::Run deletion(m_listedFiles);
    m_redraw.Begin(m_list.m_hWnd);
    for (int row = m_list.GetItemCount() - 1; row >= 0; --row) {
        if (row == 0 && m_nRecycleRow) continue;
        if (!m_list.GetCheck(row) || !IsFileRow(row)) continue;
        // Only the file that was listed, reached again as it was listed.
        if (deletion.Delete(static_cast<LPCTSTR>(m_list.GetItemText(row, 1)))) m_list.DeleteItem(row);
        else ++m_nFailCount;  // the row stays, ticked
        m_redraw.Step();
    }
    m_redraw.End();
    Host().DeletionDone();
}

// ---- deleting a whole target -------------------------------------------------

namespace {
enum DeleteAllTarget { kAllCookies, kAllTempFiles, kAllWindowsTemp, kAllRecycleBin };
}  // namespace

void CDiskCleanDlg::OnRadioCookiesAll() { DeleteAllOf(kAllCookies); }
void CDiskCleanDlg::OnRadioTempFilesAll() { DeleteAllOf(kAllTempFiles); }
void CDiskCleanDlg::OnRadioWindowsTempAll() { DeleteAllOf(kAllWindowsTemp); }
void CDiskCleanDlg::OnRadioRecycleBinAll() { DeleteAllOf(kAllRecycleBin); }

void CDiskCleanDlg::DeleteAllOf(int target) {
    struct Row {
        const TargetControls* controls;
        int CDiskCleanDlg::*checked;
        int CDiskCleanDlg::*mode;
        const char* question;
    };
    static const Row rows[] = {
        {&kCookies, &CDiskCleanDlg::m_bCookies, &CDiskCleanDlg::m_nCookiesMode, clean::kQuestionCookies},
        {&kTempFiles, &CDiskCleanDlg::m_bTempFiles, &CDiskCleanDlg::m_nTempFilesMode, clean::kQuestionTempFiles},
        {&kWindowsTemp, &CDiskCleanDlg::m_bWindowsTemp, &CDiskCleanDlg::m_nWindowsTempMode,
         clean::kQuestionWindowsTemp},
        {&kRecycleBin, &CDiskCleanDlg::m_bRecycleBin, &CDiskCleanDlg::m_nRecycleBinMode,
         clean::kQuestionRecycleBin},
    };
    const Row& row = rows[target];
    int refused = 0;  // folders of the target that were left alone
    UpdateData(TRUE);
    if (!(this->*row.checked)) return;  // only a ticked row's pair is enabled

    if (MessageBox(row.question, shell::kAppTitle, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        this->*row.mode = 1;
        UpdateData(FALSE);
        GetDlgItem(row.controls->searchRadio)->SetFocus();
        return;
    }
    using clean::DiskTarget;
    if (target == kAllRecycleBin) {
        clean::EmptyRecycleBins();
        MessageBox(clean::kMsgTaskDone, shell::kAppTitle, MB_OK | MB_ICONEXCLAMATION);
    } else {
        const DiskTarget kind = target == kAllCookies     ? DiskTarget::Cookies
                                : target == kAllTempFiles ? DiskTarget::TempFiles
                                                          : DiskTarget::WindowsTemp;
        m_nDeleteAllFailCount += clean::DeleteWholeTarget(kind, &refused);
    }
    EnablePair(row.controls->allRadio, row.controls->searchRadio, FALSE);
    this->*row.checked = 0;
    this->*row.mode = 1;
    UpdateData(FALSE);
    if (target == kAllRecycleBin) return;
    if (refused > 0)
        MessageBox(clean::kMsgFoldersRefused, shell::kAppTitle, MB_OK | MB_ICONEXCLAMATION);
    else if (m_nDeleteAllFailCount > 0)
        MessageBox(clean::kMsgFilesInUse, shell::kAppTitle, MB_OK | MB_ICONSTOP);
    else
        MessageBox(clean::kMsgTaskDone, shell::kAppTitle, MB_OK | MB_ICONEXCLAMATION);
    m_nDeleteAllFailCount = 0;
}

void CDiskCleanDlg::OnDestroy() {
    // The workers end before the window they write to.
    m_selectAll.Stop();
    m_selectAll.Join();
    m_scan.Stop();
    m_scan.Join();
    KillTimer(kDeleteTimer);
    KillTimer(kRedrawTimer);
    CCleanTabDlg::OnDestroy();
}
