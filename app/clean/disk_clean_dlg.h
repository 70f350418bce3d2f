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
#include "base/page_worker.h"
#include "base/thread.h"
#include "framework/afxcmn.h"
#include "ui/redraw_hold.h"
#include "ui/sort_header_ctrl.h"
#include "ui/ticked_rows.h"

class CDiskCleanDlg : public CCleanTabDlg {
public:
    enum { IDD = IDD_DISK_CLEAN };

    CDiskCleanDlg();
    ~CDiskCleanDlg() override;

    // Sets up the list, shows the options.
    BOOL OnInitDialog() override;

    // The start button: without a ticked target it says so (kDone);
    // otherwise it shows the list, starts the scan worker and returns kRuns
    // at once. The host's start button then reads "중  지", and "초기화면"
    // once the scan has ended.
    clean::Outcome Start() override;
    // The start button while the scan runs: the stop question, the scan held
    // while it is open. Yes ends the scan (true: the page goes back to its
    // initial screen); No lets it go on where it was. After the scan: true.
    bool Stop() override;
    // The delete button. Empties the recycle bin when its row is ticked,
    // counts the ticked rows and arms timer 0, which deletes the ticked files
    // (DeleteCheckedFiles) and then tells the host DeletionDone. With nothing
    // ticked it says so (kDone); with no file row DeletionDone comes at once.
    clean::Outcome Delete() override;
    // By the files of the last deletion that could not be deleted.
    Report DeletionReport() const override;
    // Back to the option view: options shown, radio pairs disabled and on
    // "검색하기", list hidden and empty, every value and counter cleared.
    void Leave() override { ResetPage(); }
    // A scan or a tick-all pass runs.
    bool Busy() const override { return m_nScanning != 0 || m_selectAll.Busy(); }

    // The stop question's steps (Stop): HoldScan pauses the scan worker at
    // its next step; ContinueScan lets it go on where it was; AbandonScan ends
    // it (waiting for its thread) so that nothing of it reaches a page again.
    void HoldScan();
    void ContinueScan();
    void AbandonScan();

    // Messages of the workers to the tab, handled on its thread.
    enum {
        WM_DISK_SCAN_STEP = WM_APP + 61,  // the scan worker queued steps (no parameters)
        WM_DISK_SELECT_STEP,              // wParam: SelectStep; lParam: the first row or the pass
    };

protected:
    void DoDataExchange(CDataExchange* pDX) override;

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

    void ResetPage();
    void SelectAll(LONG pass);
    void RunScan(LONG pass, ScanChoice choice);
    bool ListFolder(LONG pass, const clean::TargetFolder& folder);
    bool ListFiles(LONG pass, const clean::TargetFolder& folder);
    bool PostScanStep(ScanStep&& step);
    void ApplyScanStep(const ScanStep& step);
    void PauseScan(DWORD ms);
    void AppendFileRow(const ScanStep& step);
    void AppendRefusedRow(const ScanStep& step);
    bool IsFileRow(int row) const;  // a file the search listed, not a refused folder
    void RemoveIndexDatRows();
    void FinishScan();
    void EndListing();
    void DeleteCheckedFiles();
    void StopSelectAll();
    void ShowAllChecked(bool allChecked);
    void EnablePair(int firstRadio, int secondRadio, BOOL enable);
    void OnCheckTarget(int check, int allRadio, int searchRadio);
    void DeleteAllOf(int target);

    int m_nSelectedCount = 0;  // ticked rows found by the last Delete
    int m_nFailCount = 0;
    int m_nDeleteAllFailCount = 0;
    int m_nScanning = 0;
    int m_nRecycleRow = 0;
    int m_nRowCount = 0;
    int m_nAllChecked = 0;
    CSortHeaderCtrl m_header;
    CListCtrl m_list;
    ui::TickedRows m_ticks;  // of m_list, fed by its notifications
    // Bound to the tick boxes and radio pairs (0 "일괄삭제", 1 "검색하기").
    int m_bCookies = 0, m_bRecycleBin = 0, m_bTempFiles = 0, m_bWindowsTemp = 0;
    int m_nCookiesMode = 1, m_nTempFilesMode = 1, m_nWindowsTempMode = 1, m_nRecycleBinMode = 1;

    // The scan worker (a step of a stopped or earlier pass changes nothing)
    // and the steps it made that the tab has yet to apply.
    base::PageWorker m_scan;
    base::CriticalSection m_stepsLock;  // guards m_steps
    std::vector<ScanStep> m_steps;
    double m_pauseOverrun = 0;     // ms the worker's pauses slept beyond what they asked
    base::PageWorker m_selectAll;  // the tick-all pass
    clean::ListedFiles m_listedFiles;  // what each file row was listed as, by its path
    // Redrawing of the list, held while the scan fills it and while the
    // ticked rows are deleted.
    ui::RedrawHold m_redraw;
};
