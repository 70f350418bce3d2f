#include "app/purvex_app.h"

#include "app/cure/restart_log.h"
#include "app/cure/scan_log.h"
#include "app/main_frame.h"
#include "app/purvex_doc.h"
#include "app/purvex_view.h"
#include "app/resource.h"
#include "app/shell_texts.h"
#include "base/own_folder.h"
#include "base/program_markers.h"
#include "base/unique_handle.h"

namespace {

// Tells the setup program, and the other programs of the release, that this
// one runs: held from the start to the end of the process.
base::ProgramMarker runningMarker;

// Keeps the name "Purvex" alive while this process runs.
base::UniqueHandleKernel instanceMutex;

// True when another instance owns the name; that instance's window is then
// shown and brought forward.
bool AnotherInstanceRuns() {
    instanceMutex.reset(CreateMutexA(nullptr, TRUE, shell::kInstanceName));
    const DWORD error = GetLastError();
    if (instanceMutex) ReleaseMutex(instanceMutex.get());
    if (error != ERROR_ALREADY_EXISTS) return false;

    // SW_SHOW leaves a minimised window minimised.
    if (HWND frame = FindWindowA(nullptr, shell::kAppTitle)) ShowWindow(frame, SW_SHOW);
    if (HWND front = FindWindowA(nullptr, shell::kInstanceName)) SetForegroundWindow(front);
    return true;
}

}  // namespace

CPurvexApp::CPurvexApp() = default;

BOOL CPurvexApp::InitInstance() {
    runningMarker = base::ProgramMarker::Hold(base::kRunningMarker);
    // The engine, the databases, the scan logs and the updater's files are
    // relative paths: they must mean the installation folder wherever the
    // program was started from (and the updater inherits this folder).
    base::EnterOwnFolder();
    if (!AfxSocketInit()) {
        AfxMessageBox(IDP_SOCKETS_INIT_FAILED);
        return FALSE;
    }
    AfxOleInit();
    AfxEnableControlContainer();
    Enable3dControls();

    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);

    if (AnotherInstanceRuns()) ExitProcess(1);
    // What the last cures left for this start of Windows: gone or not, into their logs.
    SYSTEMTIME now;
    GetLocalTime(&now);
    cure::CheckRestartLists(cure::kLogRoot, now);

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CPurvexDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CPurvexView)));
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (!ProcessShellCommand(commandLine)) return FALSE;

    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}
