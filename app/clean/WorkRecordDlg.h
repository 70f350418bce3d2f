// The activity-record tab, "작업기록  정리" (template 224): four tick boxes
// whose cleaners erase the browser history, the typed addresses, the recent
// documents and the Run history. The host page's start button, which reads
// "삭    제" on this tab, runs DeleteRecords.
#pragma once
#include "app/clean/clean_resource.h"
#include "app/clean/clean_tab_dlg.h"

class CWorkRecordDlg : public CCleanTabDlg {
public:
    enum { IDD = IDD_WORK_RECORD };
    CWorkRecordDlg();

    // Registers the tab in the main frame (m_pWorkRecordDlg). TRUE.
    BOOL OnInitDialog() override;
    // The host's start button in host mode 2: runs the ticked cleaners after
    // one confirmation and reports; the host sets its busy marker around the
    // call and clears it afterwards.
    void DeleteRecords();
    // Unticks every box. Called after a deletion and by the tab control when
    // the user leaves this tab.
    void ResetChecks();
};
