// The startup program tab, "시작 프로그램 정리" (template 226): lists the
// Run-type registry values and the startup-folder entries in one tick-box
// list and deletes the ticked rows. The host page's start and delete buttons
// act on it in host mode 4.
#pragma once
#include "app/clean/clean_resource.h"
#include "app/clean/clean_tab_dlg.h"

class CStartupDlg : public CCleanTabDlg {
public:
    enum { IDD = IDD_STARTUP };
    CStartupDlg();

    // Registers the tab in the main frame (m_pStartupDlg). TRUE.
    BOOL OnInitDialog() override;
    // The host's start button in host mode 4 (the host has set its busy
    // marker). Lists the entries, then hands the host back: its delete button
    // shown, its start button reading "다시검사", its status line hidden and
    // emptied, its busy marker cleared.
    void ScanEntries();
    // The host's delete button in host mode 4. TRUE when at least one row was
    // removed; FALSE when the user declined or no row was ticked. The host
    // does not use the result.
    BOOL DeleteEntries();
    // Empties the list. Called by the tab control when the user leaves this tab.
    void ResetList();
};
