// The cleaning page's tab control: the themed tab control with the page's
// four tab dialogs, and the page's tab switch.
#pragma once
#include <functional>

#include "app/clean/clean_tab_dlg.h"
#include "ui/theme_tab_ctrl.h"

class CCleanTabCtrl : public CThemeTabCtrl {
public:
    // Makes the four tab dialogs, in tab order: disk cleanup (223), activity
    // records (224), auto records (236), startup programs (226). CreatePages
    // creates their windows.
    CCleanTabCtrl();

    // The tab dialog of page index; NULL when there is none.
    CCleanTabDlg* Tab(int index) const { return static_cast<CCleanTabDlg*>(GetPage(index)); }
    // Called after every switch with the new page's index.
    void OnSwitched(std::function<void(int page)> handler) { m_switched = std::move(handler); }

protected:
    // After a click made another tab current: the tab being left goes back to
    // its initial state, the new one shows, then the switch handler runs.
    void SwitchPage(int newPage) override;

    // Tabs change by click only: the arrow keys would move the selection
    // without the tab switch (and past the click lock).
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

private:
    std::function<void(int page)> m_switched;
};
