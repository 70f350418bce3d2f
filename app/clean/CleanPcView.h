// The PC cleaning page: four tabs (disk cleanup, activity records, auto
// records, startup programs) under one shared start button, one shared delete
// button and a status line. The buttons act on the current tab, chosen by the
// host mode; the page rebuilds itself to stop a disk scan or to return to its
// initial screen, and a waiting worker reports the outcome of a disk deletion.
#pragma once
#include <windows.h>

#include "app/clean/clean_resource.h"
#include "app/clean/clean_tab_ctrl.h"
#include "base/page_worker.h"
#include "base/unique_handle.h"
#include "framework/afxext.h"
#include "framework/afxwin.h"
#include "ui/xp_button.h"

class CMainFrame;
class CDiskCleanDlg;

class CCleanPcView : public CFormView {
    DECLARE_DYNCREATE(CCleanPcView)

public:
    enum { IDD = IDD_CLEAN_FORM };

    // Host modes: which tab the buttons act on. Before any tab click the mode
    // is kModeInitial and the buttons act on the disk tab.
    enum { kModeInitial = 0, kModeDisk = 1, kModeWorkRecord = 2, kModeAutoRecord = 3, kModeStartup = 4 };

    CCleanPcView();
    ~CCleanPcView() override;

    // Tabs, images and tab dialogs; the busy marker cleared, the delete button
    // and the status line hidden; the page registered in the main frame.
    void OnInitialUpdate() override;

    // Clears the scan-running flag, hides the delete button and the status
    // line, and gives the start button its "검사시작". The tab control calls it
    // at every tab switch.
    void ResetButtons();
    // Replaces this page, in the main frame's page pane, by a new one in its
    // initial state. This object is gone when it returns: the caller must not
    // touch it afterwards. Nothing happens when the page is not in that pane.
    void RebuildPage();

    // What the tabs use of the page.
    void ShowDeleteButton(BOOL show);
    void SetStartText(LPCTSTR text);
    void ShowStatusLine(BOOL show);
    void SetStatusText(LPCTSTR text);
    // The wait cursor over the whole page, from BeginWaitCursor until
    // EndWaitCursor.
    void BeginWaitCursor();
    void EndWaitCursor();
    // Refuses tab switches (the tab control's click lock) while the disk tab
    // scans or ticks all rows, or a disk deletion has not been reported; the
    // disk tab calls it whenever one of those starts or ends.
    void UpdateTabLock();
    int TabClickLock() const { return m_tabs.m_clickLock; }

    // The disk tab's deletion of its ticked rows is over: the waiter reports it.
    void DiskDeletionDone() { SetEvent(m_completion.get()); }
    // Whether a deletion waiter was started and not yet waited for.
    bool HasDeletionWaiter() const { return m_waiter.HasThread(); }

    CXPButton m_deleteButton;  // 1026
    CXPButton m_startButton;   // 1027
    CCleanTabCtrl m_tabs;      // 1022, owns the four tab dialogs
    // Nonzero while a cleaning action runs: the shell then refuses to leave
    // the page.
    int m_nBusy = 0;
    int m_nScanRunning = 0;  // the start button started a disk scan on this page
    int m_nHostMode = kModeInitial;

    // The last delete is not reported yet (the page ignores its buttons).
    bool DeletionPending() const { return m_deletionPending != 0; }

    // Sent by WaitForDeletion to the page after its box: ends the wait cursor.
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
    void StartDiskDeletion(CMainFrame* frame);
    void ReportDeletion(LONG pass, const CDiskCleanDlg* disk);

    // Auto-reset, made anew by every delete on the disk tab and signalled by
    // DiskDeletionDone; the waiter of that delete waits for it, then reports
    // the outcome in a box owned by the page and ends the wait cursor.
    base::UniqueHandleKernel m_completion;
    base::PageWorker m_waiter;
    int m_deletionPending = 0;
    int m_waitCursor = 0;
    CFont m_noticeFont;
};
