// The activity-record tab, "작업기록  정리" (template 224): four tick boxes
// whose cleaners erase the browser history, the typed addresses, the recent
// documents and the Run history. The host page's start button, which reads
// "삭    제" on this tab, runs DeleteRecords. A picture is painted beside
// every ticked box.
#pragma once
#include "app/clean/clean_resource.h"
#include "app/clean/clean_tab_dlg.h"
#include "framework/afxctrl.h"

class CWorkRecordDlg : public CCleanTabDlg {
public:
    enum { IDD = IDD_WORK_RECORD };
    CWorkRecordDlg();

    // Registers the tab in the main frame (m_pWorkRecordDlg). TRUE.
    BOOL OnInitDialog() override;
    // The host's start button in host mode 2: reads the boxes; with none
    // ticked says so; otherwise asks once and, on Yes, runs the ticked
    // cleaners (visit history, recent documents, Run history, typed
    // addresses), unticks the boxes and reports completion. On No the boxes
    // stay as they are. The host sets its busy marker around the call.
    void DeleteRecords();
    // Unticks every box and clears its value. Called after a deletion and by
    // the tab control when the user leaves this tab.
    void ResetChecks();

    // The cleaners of both record tabs (see app/records/record_cleaners.h):
    // each ignores its own failures and shows nothing.
    void CleanVisitHistory();
    void CleanTypedUrls();
    void CleanRecentDocs();
    void CleanRunMru();
    void CleanPlayerHistory();
    void CleanFormData();
    void CleanSavedPasswords();

    CButton m_checkRunMru;        // 1006
    CButton m_checkRecentDocs;    // 1005
    CButton m_checkTypedUrls;     // 1004
    CButton m_checkVisitHistory;  // 1003
    // The boxes' values, read by DeleteRecords.
    int m_bRunMru = 0;
    int m_bRecentDocs = 0;
    int m_bTypedUrls = 0;
    int m_bVisitHistory = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg void OnCheckBox();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
