// The scan and cure page: loads the engine, runs a scan pass on a worker
// thread, lists the adware found, cures the ticked rows, keeps the scan logs
// and the start-page settings.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/cure/cure_resource.h"
#include "app/cure/engine_library.h"
#include "app/cure/scan_log.h"
#include "base/page_worker.h"
#include "base/program_markers.h"
#include "framework/afxcmn.h"
#include "framework/afxext.h"
#include "framework/afxwin.h"
#include "ui/sort_header_ctrl.h"
#include "ui/xp_button.h"

// One found adware of the current pass: its list row and the scan result
// exactly as the engine returned it. Owns nothing; the engine keeps the
// texts and items until the database is unloaded.
struct CureEntry {
    int row;
    int32_t id;
    char* name;
    uint32_t foundCount;
    AdwareItem* items;
};

class CCureView : public CFormView {
    DECLARE_DYNCREATE(CCureView)

public:
    enum { IDD = IDD_CURE_FORM };

    CCureView();
    ~CCureView() override;

    // Fields bound to the controls.
    CString m_strStartPage;    // 1002
    BOOL m_bStartPage;         // 1003
    int m_nStartPageChoice;    // radio group 1039..1038, -1 none
    BOOL m_bSaveLog;           // 1008

    // The number the database line shows beside "애드웨어": the records the
    // engine reported when the page loaded it.
    CString RecordNumberText() const;

    // Messages from the scan worker; wParam is the pass number the worker
    // belongs to, and a message of an abandoned pass changes nothing.
    enum {
        WM_CURE_PASS_BEGIN = WM_APP + 40,  // empty the list; write the report heading
        WM_CURE_FOUND,                     // lParam: const AdScanResult*
        WM_CURE_SCANNED,                   // all records scanned: summary, 검사완료, cure button
        WM_CURE_PASS_END,                  // 초기화면, log end lines, start page
    };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnInitialUpdate() override;

    afx_msg void OnButtonStart();
    afx_msg void OnButtonCure();
    afx_msg void OnButtonRestore();
    afx_msg void OnColumnclickCureList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnCheckStartPage();
    afx_msg void OnButtonApply();
    afx_msg void OnRadioPreset();
    afx_msg void OnSetfocusAddress();
    afx_msg void OnCheckSaveLog();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnPassBegin(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFound(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnScanned(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPassEnd(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void RunPass(LONG pass);

    void LoadEngine();
    void GoToInitialScreen();
    void ShowInitialScreen(bool initial);
    void StartPass();
    void AskToStop();
    bool SendPageStep(LONG pass, UINT message, LPARAM lParam);
    // The answer to a worker message: busy while the stop question is open,
    // nothing to do for a step of an abandoned pass.
    bool TakesStep(WPARAM pass, LRESULT* answer) const;
    void SetItemText(int id, LPCTSTR text) { SetDlgItemText(id, text); }
    int Box(LPCTSTR text, LPCTSTR caption, UINT type);
    int NameColumnWidth();
    void ResetColumnWidths();
    void WidenStatusColumn();
    // Whether the last repair left an item of result only for want of a backup copy.

    cure::EngineLibrary m_engine;
    int m_recordCount = 0;
    std::string m_versionText;
    volatile LONG m_currentIndex = 0;     // written by the worker, read by the timer
    const char* volatile m_currentName = nullptr;  // engine text of the record just scanned
    const char* m_shownName = nullptr;             // the name 1014 shows
    int m_found = 0;                               // rows of the current pass
    int m_total = 0;                               // their found items
    bool m_initialScreen = true;
    bool m_justOpened = false;
    std::vector<CureEntry> m_cureEntries;
    bool m_allTicked = false;
    bool m_logging = false;
    std::string m_currentLogFolder;   // most recent logged pass, for cure tables
    std::string m_backupFolder;       // where the pass's cure kept what it removed; empty before
    std::string m_passLogFolder;      // the running pass's folder, empty when not logged
    SYSTEMTIME m_passStart = {};      // start of the running logged pass
    // Held from "검사시작" until the pass ends: one scan or cure at a time on
    // the machine (this page, PurvexScan.exe).
    base::ProgramMarker m_work;

    // The scan worker: it checks in before each engine call, so a hold or a
    // stop takes it at a record boundary, never inside the engine.
    base::PageWorker m_worker;

    CListCtrl m_list;
    CSortHeaderCtrl m_header;
    CProgressCtrl m_progress;
    CXPButton m_startButton;   // 1004
    CXPButton m_cureButton;    // 1013
    CXPButton m_restoreButton; // 1015
    CXPButton m_applyButton;   // 1020
    CFont m_font;
};
