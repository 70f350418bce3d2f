// One log folder under ".\PurvexLog" as the reports page knows it.
#pragma once
#include "base/deletion.h"
#include "framework/afxwin.h"

class CReportFolder : public CObject {
public:
    CReportFolder(LPCTSTR name, int row, const base::ListedItem& listed)
        : m_strName(name), m_nRow(row), m_listed(listed) {}

    CString m_strName;  // the folder's name, whole
    int m_nRow;         // the list row that shows it; -1 while it has none
    base::ListedItem m_listed;  // what reaches the folder again, for its deletion
};
