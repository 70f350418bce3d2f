// The auto-record tab, "자동기록  정리" (template 236): three tick boxes for
// the browser's form data, its saved passwords and the media player's recent
// files. The host page's start button, which reads "삭    제" on this tab,
// runs DeleteRecords. A picture is painted beside every ticked box.
#pragma once
#include "app/clean/clean_resource.h"
#include "app/clean/clean_tab_dlg.h"
#include "framework/afxctrl.h"

class CAutoRecordDlg : public CCleanTabDlg {
public:
    enum { IDD = IDD_AUTO_RECORD };
    CAutoRecordDlg();

    // Registers the tab in the main frame (m_pAutoRecordDlg). TRUE.
    BOOL OnInitDialog() override;
    // The host's start button in host mode 3: reads the boxes; with none
    // ticked says so; otherwise asks once and, on Yes, runs the ticked
    // cleaners (media player history, form data, saved passwords), unticks
    // the boxes and reports completion. On No the boxes stay as they are. The
    // host sets its busy marker around the call.
    void DeleteRecords();
    // Unticks every box and clears its value. Called after a deletion and by
    // the tab control when the user leaves this tab.
    void ResetChecks();

    CButton m_checkPlayerHistory;  // 1009
    CButton m_checkPasswords;      // 1008
    CButton m_checkFormData;       // 1007
    // The boxes' values, read by DeleteRecords.
    int m_bFormData = 0;
    int m_bPasswords = 0;
    int m_bPlayerHistory = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg void OnCheckBox();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
