// The cleaning page's tab control: the themed tab control with the page's
// four tab dialogs, and the page's tab switch.
#pragma once
#include "ui/theme_tab_ctrl.h"

class CCleanTabCtrl : public CThemeTabCtrl {
public:
    // Makes the four tab dialogs, in tab order: disk cleanup (223), activity
    // records (224), auto records (236), startup programs (226). CreatePages
    // creates their windows.
    CCleanTabCtrl();

protected:
    // After a click made another tab current: clears the host's busy marker,
    // resets the tab being left, shows the new one, puts the host's buttons
    // back and sets the host mode to the new tab's number + 1; on tabs 1 and 2
    // the start button then reads "삭    제". Host and tabs are reached through
    // the main frame's registration pointers.
    void SwitchPage(int newPage) override;

    // Tabs change by click only: the arrow keys would move the selection
    // without the tab switch (and past the click lock).
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};
