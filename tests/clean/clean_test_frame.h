// A frame of the shell's own class for hosting the cleaning page in a test:
// CMainFrame with its registration pointers and its page splitter, but
// without the shell's start-up (version record, logo picture) and with a
// blank pane where the page-button column stands.
#pragma once
#include "app/main_frame.h"
#include "tests/support/page_host.h"

namespace clean_test {

class CCleanTestFrame : public CMainFrame {
public:
    static constexpr int kColumnWidth = 95;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

// The frame for pvtest::PageHost: the page sits in pane (0, 1) of the page
// splitter, as in the shell, and is found there again after it rebuilt itself.
pvtest::PageFrame ShellLikeFrame();

}  // namespace clean_test
