// The reports page: the one class Chronik.dll exports. The main program
// creates it by its run-time class whenever the user opens the reports page;
// each showing reads the log folders afresh. The page lists the logs by
// their head.txt, shows a log's report on a double-click and deletes the
// ticked logs.
#pragma once
#include "framework/afxcmn.h"
#include "framework/afxext.h"
#include "reportview/chronik_api.h"
#include "ui/sort_header_ctrl.h"
#include "ui/ticked_rows.h"
#include "ui/xp_button.h"

class CReportFolder;

class CHRONIK_API CReportView : public CFormView {
    DECLARE_DYNCREATE(CReportView)
public:
    enum { IDD = 102 };

    CReportView();
    ~CReportView() override;  // frees the folder records

    void OnInitialUpdate() override;
    // Empties the list, finds the log folders and gives a row to each whose
    // head.txt can be read.
    void Init();
    // Appends one record per folder the pattern finds, in the search's order.
    void FindFolder(CString pattern);
    // Deletes a listed log folder with everything in it, never walking
    // through a link, and only while it and the log root are still the ones
    // listed. TRUE when nothing is left of it (also when nothing was).
    BOOL RemoveDir(const CReportFolder& folder);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDraw(CDC* pDC) override;

    afx_msg void OnDblclkReportList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnButtonDelete();
    afx_msg void OnColumnclickReportList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemchangedReportList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRowsReportList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    CXPButton m_deleteButton;  // 1002, 삭 제
    CListCtrl m_list;          // 1000
    int m_nReportCount = 0;    // head.txt files read by Init; deletions do not lower it
    int m_nAllChecked = 0;     // 1 while header item 0 shows the checked box
    CObList m_folders;         // CReportFolder records, owned, in the search's order
    CSortHeaderCtrl m_header;  // the list's header, with the two tick-box images
    ui::TickedRows m_ticks;    // of m_list, fed by its notifications

private:
    // The record of the folder shown in row, or NULL (also for row -1).
    POSITION FindRow(int row) const;
    CReportFolder* FolderAt(POSITION pos) const;
    void FreeFolders();
    void ShowAllChecked(int allChecked);
    // Whether a ticked row's log folder holds a cure's backup.
    bool TickedLogHoldsBackup() const;
    int Box(LPCTSTR text, UINT type);

    CFont m_font;
};
