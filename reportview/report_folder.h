// One log folder under ".\PurvexLog" as the reports page knows it.
#pragma once
#include "framework/afxwin.h"

class CReportFolder : public CObject {
public:
    CReportFolder(LPCTSTR name, int row) : m_strName(name), m_nRow(row) {}

    CString m_strName;  // the folder's name, whole
    int m_nRow;         // the list row that shows it; -1 while it has none
};
