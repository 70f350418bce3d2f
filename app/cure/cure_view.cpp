#include "app/cure/cure_view.h"

#include <commctrl.h>

#include <algorithm>

#include "app/cure/browser_defaults.h"
#include "app/cure/cure_backup.h"
#include "app/cure/cure_texts.h"
#include "app/cure/cured_row.h"
#include "app/cure/restart_log.h"
#include "app/cure/restart_windows.h"
#include "app/cure/scan_log.h"
#include "app/cure/start_page.h"
#include "app/resource.h"
#include "backup/manifest.h"
#include "backup/restore_texts.h"
#include "ui/page_chrome.h"

namespace {

constexpr UINT_PTR kProgressTimer = 0;
constexpr UINT kProgressPeriod = 100;  // ms
constexpr DWORD kPassEndPause = 500;   // ms, the worker's last step
constexpr int kStatusColumnWidth = 50;  // pixels, as the page opens
constexpr int kStatusPadding = 14;      // pixels around a status text
// A worker message answered while the stop question is open: the worker
// waits for the answer and then tries again (or ends).
constexpr LRESULT kPageBusy = 2;

// The clickable painted lines of the initial screen (client pixels).
constexpr RECT kRedLineArea = {116, 181, 364, 195};
constexpr RECT kBlueLineArea = {358, 296, 434, 308};
bool Inside(const RECT& r, CPoint p) {
    return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

// Radio buttons in group order: index i of the quick choice is kPresetIds[i].
constexpr int kPresetIds[cure::kPresetCount] = {
    IDC_CURE_PRESET_MAKER, IDC_CURE_PRESET_DAUM,  IDC_CURE_PRESET_GOOGLE,
    IDC_CURE_PRESET_YAHOO, IDC_CURE_PRESET_NAVER, IDC_CURE_PRESET_BLANK,
};

// Controls of the initial screen and of the scanning screen (besides 1004,
// 1013 and 1020, which the page sets one by one).
constexpr int kInitialControls[] = {
    IDC_CURE_PRESET_MAKER, IDC_CURE_PRESET_DAUM, IDC_CURE_PRESET_GOOGLE, IDC_CURE_PRESET_YAHOO,
    IDC_CURE_PRESET_NAVER, IDC_CURE_PRESET_BLANK, IDC_CURE_SAVELOG, IDC_CURE_PRESET_LABEL,
    IDC_CURE_PRESET_FRAME, IDC_CURE_STARTPAGE_GROUP, IDC_CURE_ADDRESS_LABEL, IDC_CURE_STARTPAGE,
    IDC_CURE_ADDRESS, IDC_CURE_DB_GROUP, IDC_CURE_DB_VERSION, IDC_CURE_DB_ADWARE,
};
constexpr int kScanningControls[] = {
    IDC_CURE_TARGET_LABEL, IDC_CURE_FOUND, IDC_CURE_TARGET, IDC_CURE_LIST_FRAME,
    IDC_CURE_TOTAL, IDC_CURE_PROGRESS, IDC_CURE_LIST,
};

SYSTEMTIME Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t;
}

}  // namespace

IMPLEMENT_DYNCREATE(CCureView, CFormView)

BEGIN_MESSAGE_MAP(CCureView, CFormView)
    ON_BN_CLICKED(IDC_CURE_START, OnButtonStart)
    ON_BN_CLICKED(IDC_CURE_CURE, OnButtonCure)
    ON_BN_CLICKED(IDC_CURE_RESTORE, OnButtonRestore)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_CURE_LIST, OnColumnclickCureList)
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_CURE_STARTPAGE, OnCheckStartPage)
    ON_BN_CLICKED(IDC_CURE_APPLY, OnButtonApply)
    ON_BN_CLICKED(IDC_CURE_PRESET_MAKER, OnRadioPreset)
    ON_BN_CLICKED(IDC_CURE_PRESET_DAUM, OnRadioPreset)
    ON_BN_CLICKED(IDC_CURE_PRESET_GOOGLE, OnRadioPreset)
    ON_BN_CLICKED(IDC_CURE_PRESET_YAHOO, OnRadioPreset)
    ON_BN_CLICKED(IDC_CURE_PRESET_NAVER, OnRadioPreset)
    ON_BN_CLICKED(IDC_CURE_PRESET_BLANK, OnRadioPreset)
    ON_EN_SETFOCUS(IDC_CURE_ADDRESS, OnSetfocusAddress)
    ON_BN_CLICKED(IDC_CURE_SAVELOG, OnCheckSaveLog)
    ON_WM_LBUTTONDOWN()
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_CURE_PASS_BEGIN, OnPassBegin)
    ON_MESSAGE(WM_CURE_FOUND, OnFound)
    ON_MESSAGE(WM_CURE_SCANNED, OnScanned)
    ON_MESSAGE(WM_CURE_PASS_END, OnPassEnd)
END_MESSAGE_MAP()

CCureView::CCureView() : CFormView(IDD), m_bStartPage(TRUE), m_nStartPageChoice(-1), m_bSaveLog(FALSE) {}

CCureView::~CCureView() = default;

void CCureView::DoDataExchange(CDataExchange* pDX) {
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CURE_LIST, m_list);
    DDX_Control(pDX, IDC_CURE_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_CURE_START, m_startButton);
    DDX_Control(pDX, IDC_CURE_CURE, m_cureButton);
    DDX_Control(pDX, IDC_CURE_RESTORE, m_restoreButton);
    DDX_Control(pDX, IDC_CURE_APPLY, m_applyButton);
    DDX_Text(pDX, IDC_CURE_ADDRESS, m_strStartPage);
    DDX_Check(pDX, IDC_CURE_STARTPAGE, m_bStartPage);
    DDX_Radio(pDX, IDC_CURE_PRESET_MAKER, m_nStartPageChoice);
    DDX_Check(pDX, IDC_CURE_SAVELOG, m_bSaveLog);
}

int CCureView::Box(LPCTSTR text, LPCTSTR caption, UINT type) {
    return MessageBox(text, caption, type);
}

void CCureView::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    m_font.CreatePointFont(90, cure::kFontName);

    LoadEngine();
    m_justOpened = true;

    m_progress.SetRange(0, 100);
    m_progress.SetPos(0);
    m_progress.SendMessage(PBM_SETBARCOLOR, 0, RGB(230, 50, 0));

    m_list.InsertColumn(0, "", LVCFMT_LEFT, 25);
    m_list.InsertColumn(1, cure::kColumnName, LVCFMT_LEFT, NameColumnWidth());
    m_list.InsertColumn(2, cure::kColumnCount, LVCFMT_CENTER, 50);
    m_list.InsertColumn(3, cure::kColumnStatus, LVCFMT_CENTER, kStatusColumnWidth);
    m_list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                       LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    m_header.m_pOwnerPage = this;
    m_header.SubclassHeader(m_list.GetHeaderCtrl());

    m_recordCount = m_engine.GetAdCount();
    m_versionText = m_engine.GetVer();
    GoToInitialScreen();
}

// What the columns of fixed width leave of the list's client width.
int CCureView::NameColumnWidth() {
    CRect client;
    m_list.GetClientRect(&client);
    return client.Width() - 125;
}

// The widths the list opens with (a cure may have widened the status column).
void CCureView::ResetColumnWidths() {
    m_list.SetColumnWidth(1, NameColumnWidth());
    m_list.SetColumnWidth(3, kStatusColumnWidth);
}

CString CCureView::RecordNumberText() const {
    CString number;
    number.Format(cure::kRecordNumberFormat, m_recordCount);
    return number;
}

// Loads the engine library and the database, telling the user what failed.
// Without the library there is no database to try.
void CCureView::LoadEngine() {
    if (!m_engine.Load()) {
        Box(cure::kMsgEngineMissing, cure::kBoxTitle, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (m_engine.LoadAdb(PURVEX_DEFAULT_ADB) < 0)
        Box(cure::kMsgDatabaseFailed, cure::kBoxTitle, MB_OK | MB_ICONEXCLAMATION);
}

void CCureView::GoToInitialScreen() {
    UpdateData(TRUE);
    m_header.SetHeaderImage(0, 0);
    m_allTicked = false;
    m_bStartPage = TRUE;
    m_strStartPage = cure::ReadStoredStartPage().c_str();
    m_nStartPageChoice = cure::PresetChoiceFor(static_cast<LPCTSTR>(m_strStartPage), m_nStartPageChoice);

    // The entries point into the database about to be unloaded.
    m_cureEntries.clear();
    // Opening has just loaded the engine; every later return reloads it.
    if (!m_justOpened) {
        m_engine.UnloadAdb();
        m_engine.Free();
        LoadEngine();
    }
    m_justOpened = false;

    GetDlgItem(IDC_CURE_APPLY)->ShowWindow(SW_SHOW);
    m_progress.SetPos(0);
    CString version;
    version.Format(cure::kDbVersionFormat, m_versionText.c_str());
    SetItemText(IDC_CURE_DB_VERSION, version);
    GetDlgItem(IDC_CURE_CURE)->ShowWindow(SW_HIDE);
    GetDlgItem(IDC_CURE_RESTORE)->ShowWindow(SW_HIDE);
    m_backupFolder.clear();
    SetItemText(IDC_CURE_START, cure::kCaptionStart);
    ShowInitialScreen(true);
    // The tick box is on again: its address box and presets work again too.
    static_cast<CEdit*>(GetDlgItem(IDC_CURE_ADDRESS))->SetReadOnly(FALSE);
    for (int id : kPresetIds) GetDlgItem(id)->EnableWindow(TRUE);

    m_initialScreen = true;
    UpdateData(FALSE);
}

void CCureView::ShowInitialScreen(bool initial) {
    for (int id : kInitialControls) GetDlgItem(id)->ShowWindow(initial ? SW_SHOW : SW_HIDE);
    for (int id : kScanningControls) GetDlgItem(id)->ShowWindow(initial ? SW_HIDE : SW_SHOW);
}

void CCureView::OnButtonStart() {
    if (m_initialScreen) {
        StartPass();
        return;
    }
    CString caption;
    GetDlgItemText(IDC_CURE_START, caption);
    if (caption != cure::kCaptionInitialScreen) {
        AskToStop();
        return;
    }
    // The pass has ended; its worker may still be finishing.
    m_worker.Join();
    SetItemText(IDC_CURE_TARGET, "");
    GoToInitialScreen();
    Invalidate();
}

void CCureView::StartPass() {
    m_work = base::ProgramMarker::Claim(base::kWorkMarker);
    if (!m_work.held()) {
        Box(cure::kMsgOtherWork, cure::kBoxTitle, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_passLogFolder.clear();
    if (m_logging) {
        m_passStart = Now();
        m_passLogFolder = cure::CreatePassFolder(cure::kLogRoot);
        if (!m_passLogFolder.empty() && cure::WriteHeadStart(m_passLogFolder, m_passStart)) {
            m_currentLogFolder = m_passLogFolder;
        } else {
            m_passLogFolder.clear();
            Box(cure::kMsgLogNotSaved, cure::kBoxTitle, MB_OK | MB_ICONEXCLAMATION);
        }
    }

    SetItemText(IDC_CURE_START, cure::kCaptionStop);
    ShowInitialScreen(false);
    GetDlgItem(IDC_CURE_APPLY)->ShowWindow(SW_HIDE);
    m_initialScreen = false;

    m_currentIndex = 0;
    m_currentName = nullptr;
    SetTimer(kProgressTimer, kProgressPeriod, nullptr);
    Invalidate();
    m_worker.Start([this](LONG pass) { RunPass(pass); });
}

// One pass on the worker thread. Engine calls run only while the pass is
// neither held nor stopped; every change to the page and the logs is made by
// the page on its own thread, through SendPageStep.
void CCureView::RunPass(LONG pass) {
    if (!SendPageStep(pass, WM_CURE_PASS_BEGIN, 0)) return;
    for (int index = 0; index < m_recordCount; ++index) {
        if (!m_worker.Proceed(pass)) return;
        m_currentIndex = index + 1;
        AdScanResult result = m_engine.AdScan(index);
        m_currentName = result.name;
        if (result.id != -1 && !SendPageStep(pass, WM_CURE_FOUND, reinterpret_cast<LPARAM>(&result)))
            return;
    }
    if (!SendPageStep(pass, WM_CURE_SCANNED, 0)) return;
    if (!SendPageStep(pass, WM_CURE_PASS_END, 0)) return;
    Sleep(kPassEndPause);
}

// Hands one step of the pass to the page, again after the stop question
// while the page answers busy. False once the pass is stopped.
bool CCureView::SendPageStep(LONG pass, UINT message, LPARAM lParam) {
    return m_worker.Deliver(pass, [&] { return SendMessage(message, static_cast<WPARAM>(pass), lParam) != kPageBusy; });
}

bool CCureView::TakesStep(WPARAM pass, LRESULT* answer) const {
    *answer = m_worker.Held() ? kPageBusy : 0;
    return !m_worker.Held() && m_worker.IsCurrent(static_cast<LONG>(pass));
}

LRESULT CCureView::OnPassBegin(WPARAM wParam, LPARAM) {
    LRESULT answer;
    if (!TakesStep(wParam, &answer)) return answer;
    m_list.DeleteAllItems();
    ResetColumnWidths();
    m_cureEntries.clear();
    m_found = 0;
    m_total = 0;
    cure::WriteReportHeading(m_passLogFolder, m_passStart, m_recordCount);
    return 0;
}

LRESULT CCureView::OnFound(WPARAM wParam, LPARAM lParam) {
    LRESULT answer;
    if (!TakesStep(wParam, &answer)) return answer;
    const AdScanResult& r = *reinterpret_cast<const AdScanResult*>(lParam);
    const int count = static_cast<int>(r.foundCount & 0xFF);  // only the low byte counts
    m_cureEntries.push_back(CureEntry{m_found, r.id, r.name, r.foundCount, r.items});

    CString text;
    m_list.InsertItem(m_found, "");
    m_list.SetItemText(m_found, 1, r.name);
    text.Format("%d", count);
    m_list.SetItemText(m_found, 2, text);
    m_list.SetCheck(m_found, TRUE);
    ++m_found;
    text.Format(cure::kFoundFormat, m_found);
    SetItemText(IDC_CURE_FOUND, text);
    m_total += count;
    text.Format(cure::kTotalFormat, m_total);
    SetItemText(IDC_CURE_TOTAL, text);
    return 0;
}

LRESULT CCureView::OnScanned(WPARAM wParam, LPARAM) {
    LRESULT answer;
    if (!TakesStep(wParam, &answer)) return answer;
    cure::AppendReportSummary(m_passLogFolder, m_found, m_total);
    m_shownName = m_currentName;  // the progress timer leaves the target line alone now
    SetItemText(IDC_CURE_TARGET, cure::kScanComplete);
    if (m_list.GetItemCount() > 0) {
        GetDlgItem(IDC_CURE_CURE)->ShowWindow(SW_SHOW);
    } else {
        CString text;
        text.Format(cure::kFoundFormat, 0);
        SetItemText(IDC_CURE_FOUND, text);
        text.Format(cure::kTotalFormat, 0);
        SetItemText(IDC_CURE_TOTAL, text);
        Box(cure::kMsgNothingFound, cure::kBoxTitle, MB_OK | MB_ICONEXCLAMATION);
    }
    return 0;
}

LRESULT CCureView::OnPassEnd(WPARAM wParam, LPARAM) {
    LRESULT answer;
    if (!TakesStep(wParam, &answer)) return answer;
    SetItemText(IDC_CURE_START, cure::kCaptionInitialScreen);
    if (!m_passLogFolder.empty()) {
        cure::AppendHeadEnd(m_passLogFolder, true);
        cure::AppendReportCompleted(m_passLogFolder, Now());
    }
    if (m_bStartPage) {
        UpdateData(TRUE);
        const std::string address = cure::AddressOrBlank(static_cast<LPCTSTR>(m_strStartPage));
        cure::WriteStoredStartPage(address);
        m_engine.SetStartPage(address.c_str());
    }
    m_work.Release();
    return 0;
}

void CCureView::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kProgressTimer) {
        CFormView::OnTimer(nIDEvent);
        return;
    }
    // An empty database counts as scanned through.
    const int position = m_recordCount > 0
        ? static_cast<int>(static_cast<long long>(m_currentIndex) * 100 / m_recordCount)
        : 100;
    m_progress.SetPos(position);
    const char* name = m_currentName;
    if (name != nullptr && name != m_shownName) {
        SetItemText(IDC_CURE_TARGET, name);
        m_shownName = name;
    }
    if (position >= 100) KillTimer(kProgressTimer);
}

void CCureView::AskToStop() {
    // The worker waits before its next engine call or page step meanwhile.
    m_worker.Hold();
    if (Box(cure::kMsgStopQuestion, cure::kCaptionStop, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        m_worker.Continue();
        return;
    }
    m_worker.Stop();  // whatever the worker still sends is dropped
    KillTimer(kProgressTimer);
    m_worker.Join();
    m_work.Release();
    if (!m_passLogFolder.empty()) {
        cure::AppendReportCancelled(m_passLogFolder, Now());
        cure::AppendHeadEnd(m_passLogFolder, false);
    }
    GoToInitialScreen();
    Invalidate();
}

void CCureView::OnButtonCure() {
    m_worker.Join();  // the end-of-pass steps come first
    UpdateData(TRUE);
    const int rows = m_list.GetItemCount();
    int ticked = 0;
    for (int row = 0; row < rows; ++row)
        if (m_list.GetCheck(row)) ++ticked;
    if (ticked == 0) {
        Box(cure::kMsgNothingTicked, cure::kBoxTitle, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (Box(cure::kMsgCureWarning, cure::kCaptionCure, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    const base::ProgramMarker work = base::ProgramMarker::Claim(base::kWorkMarker);
    if (!work.held()) {
        Box(cure::kMsgOtherWork, cure::kBoxTitle, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // Whatever the cure removes is kept, logged or not.
    m_backupFolder.clear();
    if (m_engine.loaded()) {
        m_backupFolder = cure::CureBackupFolder(m_passLogFolder);
        if (!m_engine.SetBackupFolder(m_backupFolder.c_str())) {
            m_backupFolder.clear();
            if (Box(cure::kMsgNoBackupQuestion, cure::kCaptionCure, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
        }
    }

    // An item in use is left for the next start of Windows; while backups
    // are on only with a copy, unless the user lets it go without one.
    m_engine.SetRestartRemoval(m_backupFolder.empty() ? PURVEX_RESTART_UNKEPT : PURVEX_RESTART_KEPT);
    bool unkeptAsked = false;
    int cured = 0, leftRows = 0, failed = 0;
    std::vector<cure::ItemNote> notes;
    const std::string logFolder = m_logging ? m_currentLogFolder : std::string();
    {
        cure::CureTableWriter table(logFolder);
        for (int row = 0; row < rows; ++row) {
            if (!m_list.GetCheck(row)) continue;
            for (const CureEntry& entry : m_cureEntries) {
                if (entry.row != row) continue;
                const AdScanResult result = {entry.id, entry.name, entry.foundCount, entry.items};
                uint8_t repaired = m_engine.AdRepair(result);
                if (!unkeptAsked && cure::WaitsForACopy(m_engine, result)) {
                    unkeptAsked = true;
                    if (Box(cure::kMsgUnkeptQuestion, cure::kCaptionCure, MB_YESNO | MB_ICONQUESTION) == IDYES) {
                        m_engine.SetRestartRemoval(PURVEX_RESTART_UNKEPT);
                        repaired = m_engine.RemoveUnkeptAtRestart();
                    }
                }
                const char* status = cure::CuredRowStatus(m_engine, result, repaired, &notes);
                if (status == cure::kStatusDone) ++cured;
                if (status == cure::kStatusAtRestart) ++leftRows;
                if (status == cure::kStatusFailed) ++failed;
                m_list.SetItemText(row, 3, status);
                table.AppendRow(static_cast<LPCTSTR>(m_list.GetItemText(row, 1)),
                                static_cast<LPCTSTR>(m_list.GetItemText(row, 2)),
                                static_cast<LPCTSTR>(m_list.GetItemText(row, 3)));
                break;
            }
        }
        table.AppendSummary(cured, leftRows, failed, notes);
    }
    m_engine.SetRestartRemoval(PURVEX_RESTART_OFF);
    const bool anyLeft = std::any_of(notes.begin(), notes.end(), [](const cure::ItemNote& note) {
        return note.outcome == PURVEX_ITEM_AT_RESTART;
    });
    if (anyLeft) cure::AppendRestartList(logFolder, notes);
    if (leftRows > 0) WidenStatusColumn();
    m_engine.SetBackupFolder(nullptr);
    if (!m_backupFolder.empty()) cure::KeepBrowserSettings(m_backupFolder);
    if (m_bStartPage)
        m_engine.SetStartPage(cure::AddressOrBlank(static_cast<LPCTSTR>(m_strStartPage)).c_str());
    cure::ResetBrowserDefaults();
    GetDlgItem(IDC_CURE_CURE)->ShowWindow(SW_HIDE);
    if (!m_backupFolder.empty() && backup::HoldsBackup(m_backupFolder))
        GetDlgItem(IDC_CURE_RESTORE)->ShowWindow(SW_SHOW);
    if (anyLeft) {
        if (Box(cure::kMsgRestartQuestion, cure::kBoxTitle, MB_YESNO | MB_ICONQUESTION) == IDYES &&
            !cure::RestartWindows())
            Box(cure::kMsgRestartFailed, cure::kBoxTitle, MB_OK | MB_ICONSTOP);
    } else if (cured > 0) {
        Box(cure::kMsgCureDone, cure::kBoxTitle, MB_OK);
    }
}

// The status column as wide as "재부팅 후 삭제" needs, taken from the name column.
void CCureView::WidenStatusColumn() {
    const int wanted = static_cast<int>(m_list.SendMessage(LVM_GETSTRINGWIDTHA, 0,
                                                           reinterpret_cast<LPARAM>(cure::kStatusAtRestart))) +
                       kStatusPadding;
    const int now = static_cast<int>(m_list.SendMessage(LVM_GETCOLUMNWIDTH, 3, 0));
    const int name = static_cast<int>(m_list.SendMessage(LVM_GETCOLUMNWIDTH, 1, 0));
    if (wanted <= now) return;
    m_list.SetColumnWidth(1, name - (wanted - now));
    m_list.SetColumnWidth(3, wanted);
}

// Puts back what the cure kept, once: the button goes whatever the outcome.
void CCureView::OnButtonRestore() {
    if (m_backupFolder.empty() ||
        Box(backup::kMsgRestoreQuestion, backup::kRestoreCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const int restored = m_engine.RestoreBackup(m_backupFolder.c_str());
    GetDlgItem(IDC_CURE_RESTORE)->ShowWindow(SW_HIDE);
    bool failed = false;
    const std::string text = backup::RestoreEndText(restored, m_backupFolder, &failed);
    Box(text.c_str(), cure::kBoxTitle, MB_OK | (failed ? MB_ICONSTOP : MB_ICONEXCLAMATION));
}

void CCureView::OnColumnclickCureList(NMHDR* pNMHDR, LRESULT* pResult) {
    const NMLISTVIEW* view = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    *pResult = 0;
    if (view->iSubItem != 0) return;
    const BOOL tick = m_allTicked ? FALSE : TRUE;
    for (int row = 0; row < m_list.GetItemCount(); ++row) m_list.SetCheck(row, tick);
    m_allTicked = !m_allTicked;
    m_header.SetHeaderImage(0, m_allTicked ? 1 : 0);
}

void CCureView::OnCheckStartPage() {
    UpdateData(TRUE);
    CEdit* address = static_cast<CEdit*>(GetDlgItem(IDC_CURE_ADDRESS));
    if (m_bStartPage) {
        GetDlgItem(IDC_CURE_APPLY)->ShowWindow(SW_SHOW);
        address->SetReadOnly(FALSE);
        m_strStartPage = cure::kBlankPage;
        m_nStartPageChoice = cure::kBlankPresetIndex;
        for (int id : kPresetIds) GetDlgItem(id)->EnableWindow(TRUE);
    } else {
        m_strStartPage.Empty();
        address->SetReadOnly(TRUE);
        GetDlgItem(IDC_CURE_APPLY)->ShowWindow(SW_HIDE);
        // Passing the focus through the address box clears the preset choice.
        address->SetFocus();
        GetDlgItem(IDC_CURE_STARTPAGE)->SetFocus();
        for (int id : kPresetIds) GetDlgItem(id)->EnableWindow(FALSE);
    }
    UpdateData(FALSE);
}

void CCureView::OnRadioPreset() {
    UpdateData(TRUE);
    if (m_nStartPageChoice < 0 || m_nStartPageChoice >= cure::kPresetCount) return;
    m_strStartPage = cure::kPresetAddresses[m_nStartPageChoice];
    SetDlgItemText(IDC_CURE_ADDRESS, m_strStartPage);
}

void CCureView::OnSetfocusAddress() {
    m_nStartPageChoice = -1;
    m_strStartPage.Empty();
    UpdateData(FALSE);
}

void CCureView::OnButtonApply() {
    UpdateData(TRUE);
    const std::string address = cure::AddressOrBlank(static_cast<LPCTSTR>(m_strStartPage));
    cure::WriteStoredStartPage(address);
    m_engine.SetStartPage(address.c_str());
    Box(cure::kMsgStartPageChanged, cure::kBoxTitle, MB_OK | MB_ICONEXCLAMATION);
}

void CCureView::OnCheckSaveLog() {
    UpdateData(TRUE);
    m_logging = m_bSaveLog != FALSE;
}

// The painted red and blue lines act as the captions of their tick boxes.
// They exist on the initial screen only, and so do their click areas.
void CCureView::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_initialScreen && Inside(kRedLineArea, point)) {
        CButton* box = static_cast<CButton*>(GetDlgItem(IDC_CURE_STARTPAGE));
        box->SetCheck(box->GetCheck() ? 0 : 1);
        OnCheckStartPage();
    } else if (m_initialScreen && Inside(kBlueLineArea, point)) {
        CButton* box = static_cast<CButton*>(GetDlgItem(IDC_CURE_SAVELOG));
        box->SetCheck(box->GetCheck() ? 0 : 1);
        OnCheckSaveLog();
    }
    CFormView::OnLButtonDown(nFlags, point);
}

void CCureView::OnPaint() {
    CPaintDC dc(this);
    CFont* oldFont = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    CRect client;
    GetClientRect(&client);

    const CSize foot = ui::DrawPictureAtBottom(dc, IDB_PAGE_FOOT, client, 0);
    ui::DrawPictureAtBottom(dc, IDB_PAGE_SIDE, client, ui::kRightEdge, foot.cy);

    if (m_initialScreen) {
        ui::DrawPicture(dc, IDB_SCAN_HEAD, 0, 0);
        dc.SetTextColor(RGB(255, 0, 0));
        dc.TextOut(115, 180, cure::kRedLine, static_cast<int>(strlen(cure::kRedLine)));
        dc.SetTextColor(RGB(0, 0, 255));
        dc.TextOut(360, 296, cure::kBlueLine, static_cast<int>(strlen(cure::kBlueLine)));
        dc.SetTextColor(RGB(0, 0, 0));
        const CString number = RecordNumberText();
        dc.TextOut(327, 125, number);
    }
    dc.SelectObject(oldFont);
}

HBRUSH CCureView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (HBRUSH white = ui::PageControlBrush(pDC, nCtlColor)) return white;
    return CFormView::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CCureView::OnDestroy() {
    // A running pass is abandoned; the engine goes only after its worker.
    m_worker.Stop();
    KillTimer(kProgressTimer);
    m_worker.Join();
    m_cureEntries.clear();
    m_engine.UnloadAdb();
    m_engine.Free();
    CFormView::OnDestroy();
}
