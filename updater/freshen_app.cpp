#include "updater/freshen_app.h"

#include <commctrl.h>

#include "base/own_folder.h"
#include "base/program_markers.h"
#include "updater/freshen_dlg.h"

CFreshenApp theApp;

CFreshenApp::CFreshenApp() : CWinApp("Freshen") {}

// Runs the dialog modally; FALSE ends the program when it closes.
BOOL CFreshenApp::InitInstance() {
    // Held while the updater runs: the setup program waits until it is gone.
    base::ProgramMarker running = base::ProgramMarker::Hold(base::kRunningMarker);
    // ".\temp", the version file and the installed files are relative paths:
    // they must mean the installation folder wherever the updater was started.
    base::EnterOwnFolder();
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
