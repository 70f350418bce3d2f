// The ActiveX block list page: the controls of the block-list library's
// database with a tick box each (ticked: blocked), the two counts, tick-all
// and the sorts through the list header, and add, edit and delete. Every
// change goes through Kordon.dll and is saved at once.
#pragma once
#include <windows.h>

#include "app/activex/activex_resource.h"
#include "app/activex/kordon_library.h"
#include "framework/afxcmn.h"
#include "framework/afxext.h"
#include "framework/afxwin.h"
#include "ui/sort_header_ctrl.h"
#include "ui/ticked_rows.h"
#include "ui/xp_button.h"

class CActiveXBlock : public CFormView {
    DECLARE_DYNCREATE(CActiveXBlock)

public:
    enum { IDD = IDD_ACTIVEX_FORM };

    CActiveXBlock();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnInitialUpdate() override;
    // The library's file name; the page loads it by this name, without a path.
    virtual const char* LibraryFileName() const { return KORDON_DLL; }

    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnColumnclickActivexList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemchangedActivexList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRowsActivexList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnClickActivexList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnButtonEdit();
    afx_msg void OnButtonDelete();
    afx_msg void OnButtonAdd();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void FillList();
    void AppendRow(int row, const char* clsid, const char* name, BOOL checked);
    void ShowTotalCount();
    void ShowBlockedCount();
    // Sorts the rows by the column's text; true when a row's tick changed.
    bool SortByColumn(int column, bool ascending);
    // The tick-box change steps for one row, but for the save and the count.
    void ApplyTick(int row, bool checked);
    // The row at the list's selection mark, or -1 when the mark is on no row.
    int MarkedRow() const;
    int Box(LPCTSTR text, UINT type = MB_OK | MB_ICONEXCLAMATION);
    // Writes the block list to its file; tells the user when it could not
    // (a folder the program may not write, a file that is not a block list).
    void SaveDatabase();

    CXPButton m_editButton;    // 1045
    CXPButton m_deleteButton;  // 1046
    CXPButton m_addButton;     // 1047
    CListCtrl m_list;          // 1044
    int m_nTotalCount = 0;
    int m_nChangeHandling = 0;  // while 0, tick-box changes of the list are ignored
    activex::KordonLibrary m_kordon;
    int m_nBlockedCount = 0;
    int m_nAllChecked = 0;      // the state the header's tick box shows
    CSortHeaderCtrl m_header;
    ui::TickedRows m_ticks;     // of m_list, fed by its notifications
    int m_nSortFlag = 0;        // shared by the CLSID and name columns
    CFont m_font;
};
