// The PC cleaning page: four tabs (disk cleanup, activity records, auto
// records, startup programs) under one shared start button, one shared delete
// button and a status line. The buttons act on the current tab through the
// tab interface (clean_tab_dlg.h); the page asks the shell's pane to rebuild
// it to stop a disk scan or to return to its initial screen (app/shell_page.h),
// and a waiting worker reports the outcome of a deletion that runs on after
// the delete button. While a cleaning action runs the page may not be left.
#pragma once
#include <windows.h>

#include "app/clean/clean_resource.h"
#include "app/clean/clean_tab_ctrl.h"
#include "app/clean/clean_tab_dlg.h"
#include "app/shell_page.h"
#include "base/page_worker.h"
#include "base/unique_handle.h"
#include "framework/afxext.h"
#include "framework/afxwin.h"
#include "ui/xp_button.h"

class CCleanPcView : public CFormView, public shell::Page, private clean::TabHost {
    DECLARE_DYNCREATE(CCleanPcView)

public:
    enum { IDD = IDD_CLEAN_FORM };

    // Host modes: the tab shown, by its number + 1. Before any tab click the
    // mode is kModeInitial and the disk tab is shown.
    enum { kModeInitial = 0, kModeDisk = 1, kModeWorkRecord = 2, kModeAutoRecord = 3, kModeStartup = 4 };

    CCleanPcView();
    ~CCleanPcView() override;

    // Tabs, images and tab dialogs; the busy marker cleared, the delete button
    // and the status line hidden.
    void OnInitialUpdate() override;

    // Not while a cleaning action runs (the busy marker).
    bool CanLeave() const override { return m_nBusy == 0; }

    // The page's state, as its buttons and tabs show it.
    CCleanTabCtrl& Tabs() { return m_tabs; }  // owns the four tab dialogs
    int HostMode() const { return m_nHostMode; }
    bool Busy() const { return m_nBusy != 0; }
    bool ScanRunning() const { return m_nScanRunning != 0; }  // the start button now stops a run
    int TabClickLock() const { return m_tabs.m_clickLock; }
    // Whether a deletion waiter was started and not yet waited for.
    bool HasDeletionWaiter() const { return m_waiter.HasThread(); }
    // The last delete is not reported yet (the page ignores its buttons).
    bool DeletionPending() const { return m_deletionPending != 0; }
    // For the shell's tests: the page as a cleaning action leaves it.
    void SetBusyForTesting(bool busy) { m_nBusy = busy ? 1 : 0; }

    // Sent by the deletion waiter to the page after its box: ends the wait cursor.
    enum { WM_CLEAN_DELETION_REPORTED = WM_APP + 60 };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDraw(CDC* pDC) override;

    afx_msg void OnStart();
    afx_msg void OnDelete();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnDeletionReported(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // What the tabs use of the page (clean::TabHost).
    void ShowDeleteButton(bool show) override;
    void SetStartText(const char* text) override;
    void ShowStatusLine(bool show) override;
    void SetStatusText(const char* text) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    int Ask(const char* text, const char* title, UINT type) override;
    void RunEnded() override;
    void BusyChanged() override { UpdateTabLock(); }
    // Refuses tab switches (the tab control's click lock) while the current
    // tab is busy or a deletion has not been reported.
    void UpdateTabLock();
    void DeletionDone() override { SetEvent(m_completion.get()); }

    CCleanTabDlg* CurrentTab() const { return m_tabs.Tab(m_tabs.GetCurrentPage()); }
    // After a tab switch: the busy marker and the scan-running flag cleared,
    // the delete button and the status line hidden, the new tab's start text.
    void OnTabSwitched(int page);
    void ReportDeletion(LONG pass, const CCleanTabDlg* tab);

    CXPButton m_deleteButton;  // 1026
    CXPButton m_startButton;   // 1027
    CCleanTabCtrl m_tabs;      // 1022
    int m_nBusy = 0;           // nonzero while a cleaning action runs
    int m_nScanRunning = 0;
    int m_nHostMode = kModeInitial;
    // Auto-reset, made anew by every delete and signalled by DeletionDone;
    // the waiter of that delete waits for it, then reports
    // the outcome in a box owned by the page and ends the wait cursor.
    base::UniqueHandleKernel m_completion;
    base::PageWorker m_waiter;
    int m_deletionPending = 0;
    int m_waitCursor = 0;
    CFont m_noticeFont;
};
