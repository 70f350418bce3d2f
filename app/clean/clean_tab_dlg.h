// The one interface between the cleaning page (the host) and its tabs: what a
// tab may ask of the host (TabHost), and what the host asks of the current
// tab (CCleanTabDlg's virtual methods). Every tab dialog is drawn on white:
// edit controls and list boxes keep the system colours, everything else is
// white with a transparent text background. Enter and Esc never end a tab (a
// tab that ended would leave its area empty until the page is rebuilt).
#pragma once
#include <windows.h>

#include "app/clean/clean_texts.h"
#include "framework/afxwin.h"

namespace clean {

// What a tab may ask of the page that hosts it.
class TabHost {
public:
    virtual void ShowDeleteButton(bool show) = 0;
    virtual void SetStartText(const char* text) = 0;
    virtual void ShowStatusLine(bool show) = 0;
    virtual void SetStatusText(const char* text) = 0;
    // The wait cursor over the whole page, from BeginWaitCursor until
    // EndWaitCursor.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // A message box owned by the page; its answer.
    virtual int Ask(const char* text, const char* title, UINT type) = 0;
    // The run a Start answered kRuns for has ended: the page is not busy.
    virtual void RunEnded() = 0;
    // The tab's Busy answer may have changed.
    virtual void BusyChanged() = 0;
    // The deletion a Delete answered kRuns for is over.
    virtual void DeletionDone() = 0;

protected:
    ~TabHost() = default;
};

enum class Outcome {
    kDone,  // the action is over
    kRuns,  // the action goes on after the call; the tab tells the host when it ends
};

}  // namespace clean

class CCleanTabDlg : public CDialog {
public:
    explicit CCleanTabDlg(UINT nIDTemplate) : CDialog(nIDTemplate) {}

    // The page that hosts the tab, given once before the tab's window exists.
    void AttachHost(clean::TabHost& host) { m_host = &host; }

    // The host's start button. The host is busy until the action is over.
    virtual clean::Outcome Start() = 0;
    // The start button while the run a Start began goes on, or after it:
    // true when the page is to go back to its initial screen.
    virtual bool Stop() { return true; }
    // The host's delete button. kRuns: the host reports DeletionReport once
    // the tab has said DeletionDone.
    virtual clean::Outcome Delete() { return clean::Outcome::kDone; }
    // The outcome of the last deletion that ran, as the host's box shows it.
    // Called on another thread after DeletionDone.
    struct Report {
        const char* text;
        UINT icon;
    };
    virtual Report DeletionReport() const { return {clean::kMsgDeletionDone, MB_ICONEXCLAMATION}; }
    // The user leaves the tab: it goes back to its initial state.
    virtual void Leave() = 0;
    // Whether the tab must not be left now.
    virtual bool Busy() const { return false; }
    // The start button's caption on this tab.
    virtual const char* StartText() const { return clean::kCaptionStart; }

protected:
    clean::TabHost& Host() const { return *m_host; }

    void OnOK() override {}
    void OnCancel() override {}
    // Esc goes on without the dialog's own key handling.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    clean::TabHost* m_host = nullptr;
};
