// The updater's window: ends the main program, fetches the version file and
// runs the update thread, showing the banner, the file being fetched and a
// progress bar.
#pragma once
#include "framework/afxcmn.h"
#include "framework/afxwin.h"
#include "updater/update_session.h"

class CFreshenDlg : public CDialog, private freshen::UpdateUi {
public:
    explicit CFreshenDlg(CWnd* pParent = NULL);
    ~CFreshenDlg() override;

    enum { IDD = 102 };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnFetching(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUpdateDone(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    static UINT __cdecl UpdateThread(LPVOID param);
    static UINT __cdecl DownloadThread(LPVOID param);

    // freshen::UpdateUi, called on the update thread.
    void ShowFetching(int item) override;
    void StartDownload() override;
    void Message(const char* text, UINT icon) override;
    void RestartMainProgram() override;

    void DrawBannerAndStatus(CDC& dc);

    int m_nMainEnded = 0;       // 1 once a running main program was ended
    int m_nShownPercent = 0;    // the progress bar's last position
    BOOL m_bUpdating = FALSE;   // the update thread runs
    HICON m_hIcon;
    CProgressCtrl m_Progress;
    CFont m_StatusFont;
    freshen::UpdateSession m_Session;  // current item, byte counters, completion event
};
