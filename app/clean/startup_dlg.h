// The startup program tab, "시작 프로그램 정리" (template 226): lists the
// Run-type registry values and the startup-folder entries in one tick-box
// list and deletes the ticked rows. The host page's start and delete buttons
// act on it in host mode 4.
//
// The list is the tab's only record of its rows (see startup_entries.h): a
// sort reads the rows and ticks out of it and writes them back, a deletion
// works from each row's texts.
#pragma once
#include <vector>

#include "app/clean/clean_resource.h"
#include "app/clean/clean_tab_dlg.h"
#include "app/startup/startup_entries.h"
#include "framework/afxcmn.h"
#include "ui/sort_header_ctrl.h"
#include "ui/ticked_rows.h"

class CStartupDlg : public CCleanTabDlg {
public:
    enum { IDD = IDD_STARTUP };
    CStartupDlg();

    // Sets up the four columns, the tick boxes and the header with its images. TRUE.
    BOOL OnInitDialog() override;
    // The host's start button. Lists the entries afresh under the wait
    // cursor, then hands the host back: its delete button shown, its start
    // button reading "다시검사", its status line hidden and emptied. kDone.
    clean::Outcome Start() override;
    // The host's delete button. After the caution question, deletes every
    // ticked row by its own kind; a row whose value or file is still there
    // stays in the list, ticked, and the end message says so. kDone.
    clean::Outcome Delete() override;
    // Empties the list, widens the path column back to 140 pixels and shows
    // the unticked box in the header. The sort direction and the all-checked
    // flag stay.
    void Leave() override;

    // 1 while header item 0 shows the ticked box.
    bool AllChecked() const { return m_nAllChecked != 0; }
    const ui::TickedRows& Ticks() const { return m_ticks; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnColumnclickStartupList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemchangedStartupList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRowsStartupList(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    startup::StartupRow ReadRow(int row) const;
    void WriteRow(int row, const startup::StartupRow& texts);
    void TickAll(bool ticked);
    void SortByName(bool descending);
    void ShowAllChecked(int allChecked);

    // The name column's next sort direction; it lasts as long as the tab.
    startup::NameSortToggle m_sortDirection;
    CSortHeaderCtrl m_header;
    int m_nAllChecked = 0;
    CListCtrl m_list;
    ui::TickedRows m_ticks;  // of m_list, fed by its notifications
    // Set while the tab itself changes ticks (listing, tick-all, sort): the
    // all-checked flag then follows the tab's own decision, not each row.
    bool m_writingRows = false;
    startup::ListedRows m_listedRows;  // the last scan's folder rows, for their deletion
};
