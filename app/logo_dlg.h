// The borderless start-up picture. Timed: titled "Purvex", closes itself
// after one second and ignores clicks. Untimed (opened from the banner's
// logo): stays until it is clicked.
#pragma once
#include "framework/afxwin.h"

class CLogoDlg : public CDialog {
public:
    enum { IDD = 235 };
    static constexpr UINT_PTR kCloseTimer = 0;

    explicit CLogoDlg(CWnd* pParent = nullptr);

    int m_timed = 0;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
