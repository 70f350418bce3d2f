// The auto-record tab, "자동기록  정리" (template 236): three tick boxes for
// the browser's form data, its saved passwords and the media player's recent
// files; their cleaners run on the activity-record tab. The host page's start
// button, which reads "삭    제" on this tab, runs DeleteRecords.
#pragma once
#include "app/clean/clean_resource.h"
#include "app/clean/clean_tab_dlg.h"

class CAutoRecordDlg : public CCleanTabDlg {
public:
    enum { IDD = IDD_AUTO_RECORD };
    CAutoRecordDlg();

    // Registers the tab in the main frame (m_pAutoRecordDlg). TRUE.
    BOOL OnInitDialog() override;
    // The host's start button in host mode 3: runs the ticked cleaners after
    // one confirmation and reports; the host sets its busy marker around the
    // call and clears it afterwards.
    void DeleteRecords();
    // Unticks every box. Called after a deletion and by the tab control when
    // the user leaves this tab.
    void ResetChecks();
};
