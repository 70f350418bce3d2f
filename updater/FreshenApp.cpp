#include "updater/FreshenApp.h"

#include <commctrl.h>

#include "updater/FreshenDlg.h"

CFreshenApp theApp;

CFreshenApp::CFreshenApp() : CWinApp("Freshen") {}

// Runs the dialog modally; FALSE ends the program when it closes.
BOOL CFreshenApp::InitInstance() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    AfxEnableControlContainer();
    Enable3dControls();

    CFreshenDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
