// The disk cleanup tab, "디스크 정리" (template 223): four targets (the
// recycle bin, cookie files, the temporary folder, the Windows temporary
// folder), each with a tick box and a "검색하기"/"일괄삭제" radio pair. A
// search lists the files of the ticked targets on a worker thread; the host's
// delete button deletes the ticked rows. "일괄삭제" deletes a whole target
// at once after a question.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/clean/clean_resource.h"
#include "app/clean/clean_tab_dlg.h"
#include "app/clean/disk_targets.h"
#include "framework/afxcmn.h"
#include "nkshellapi/ShellExt.h"
#include "ui/redraw_hold.h"
#include "ui/sort_header_ctrl.h"
#include "ui/ticked_rows.h"

class CCleanPcView;

class CDiskCleanDlg : public CCleanTabDlg {
public:
    enum { IDD = IDD_DISK_CLEAN };

    CDiskCleanDlg();
    ~CDiskCleanDlg() override;

    // Registers the tab in the main frame, sets up the list, shows the options.
    BOOL OnInitDialog() override;
    // Back to the option view: options shown, radio pairs disabled and on
    // "검색하기", list hidden and empty, every value and counter cleared.
    void ResetPage();
    // The host's start button in host mode 0 or 1 (m_pHost is set). Without a
    // ticked target it says so and puts the host back; otherwise it shows the
    // list and starts ScanThread, and returns at once.
    void StartScan();
    // The host's delete button in host mode 0 or 1, after the host made its
    // completion event. Empties the recycle bin when its row is ticked, counts
    // the ticked rows into m_nSelectedCount and arms timer 0, which deletes
    // the ticked files (DeleteCheckedFiles) and then signals the event. With
    // nothing ticked, or no file row, the event is signalled at once.
    void PrepareDelete();

    // The stop question of the host: HoldScan pauses the scan worker at its
    // next step; ContinueScan lets it go on where it was; AbandonScan ends it
    // (waiting for its thread) so that nothing of it reaches a page again.
    void HoldScan();
    void ContinueScan();
    void AbandonScan();
    // Whether the tab must not be left now: a scan or a tick-all pass runs.
    bool KeepsTabs() const { return m_nScanning != 0 || m_nSelectAllBusy != 0; }

    int m_nSelectedCount = 0;  // ticked rows found by the last PrepareDelete
    int m_nFailCount = 0;      // files of the last deletion that could not be deleted
    volatile LONG m_nSelectAllBusy = 0;
    CWinThread* m_pSelectAllThread = nullptr;
    // The scan worker's recycle-bin list; valid only while its CShellExt exists.
    const CList<tagFOLDERITEM, tagFOLDERITEM&>* volatile m_pRecycleItems = nullptr;
    CSortHeaderCtrl m_header;
    int m_nDeleteAllFailCount = 0;
    CCleanPcView* m_pHost = nullptr;  // set by the host before each scan
    int m_nScanning = 0;
    int m_nRecycleRow = 0;  // 1 while row 0 is the recycle-bin row
    int m_nRowCount = 0;    // rows the current scan listed; never lowered
    CWinThread* m_pScanThread = nullptr;
    int m_nAllChecked = 0;
    CListCtrl m_list;
    ui::TickedRows m_ticks;  // of m_list, fed by its notifications
    int m_bCookies = 0, m_bRecycleBin = 0, m_bTempFiles = 0, m_bWindowsTemp = 0;
    // Radio pairs: 0 "일괄삭제", 1 "검색하기".
    int m_nCookiesMode = 1, m_nTempFilesMode = 1, m_nWindowsTempMode = 1, m_nRecycleBinMode = 1;

    // Messages of the workers to the tab, handled on its thread.
    enum {
        WM_DISK_SCAN_STEP = WM_APP + 61,  // the scan worker queued steps (no parameters)
        WM_DISK_SELECT_STEP,              // wParam: SelectStep; lParam: the first row
    };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg void OnCheckCookies();
    afx_msg void OnCheckTempFiles();
    afx_msg void OnCheckWindowsTemp();
    afx_msg void OnCheckRecycleBin();
    afx_msg void OnRadioCookiesAll();
    afx_msg void OnRadioTempFilesAll();
    afx_msg void OnRadioWindowsTempAll();
    afx_msg void OnRadioRecycleBinAll();
    afx_msg void OnColumnclickDiskList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemchangedDiskList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRowsDiskList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnScanStep(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSelectStep(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    struct ScanStep;
    struct ScanChoice {
        bool recycleBin, tempFiles, windowsTemp, cookies;
    };

    static UINT ScanThread(LPVOID tab);
    static UINT SelectAllThread(LPVOID tab);
    void RunScan(LONG pass, ScanChoice choice);
    bool ListFiles(LONG pass, const clean::TargetFolder& folder);
    bool PostScanStep(ScanStep&& step);
    void ApplyScanStep(const ScanStep& step);
    void PauseScan(DWORD ms);
    void AppendFileRow(const ScanStep& step);
    void RemoveIndexDatRows();
    void FinishScan();
    void EndListing();
    void DeleteCheckedFiles();
    void StopSelectAll();
    void WaitForScanThread();
    void WaitForSelectAllThread();
    void UpdateHostTabLock();
    void EnablePair(int firstRadio, int secondRadio, BOOL enable);
    void OnCheckTarget(int check, int allRadio, int searchRadio);
    void DeleteAllOf(int target);

    // The scan worker and its stop: m_scanPass numbers the scans (a step of
    // another pass changes nothing); m_stopScan ends the running one. Holding
    // m_gate pauses the worker before its next step; it also guards m_steps,
    // the steps the worker made and the tab has yet to apply.
    CRITICAL_SECTION m_gate;
    std::vector<ScanStep> m_steps;
    volatile LONG m_scanPass = 0;
    LONG m_workerPass = 0;         // the pass a new worker belongs to
    volatile LONG m_stopScan = 0;
    ScanChoice m_choice = {};
    double m_pauseOverrun = 0;     // ms the worker's pauses slept beyond what they asked
    bool m_asking = false;         // the stop question is open
    volatile LONG m_stopSelectAll = 0;
    clean::ListedFiles m_listedFiles;  // what each file row was listed as, by its path
    // Redrawing of the list, held while the scan fills it and while the
    // ticked rows are deleted.
    ui::RedrawHold m_redraw;
};
