// CWinApp, the program's start, and the global helpers.
#include <winsock2.h>  // before windows.h
#include "framework/internal.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp* g_pApp = nullptr;

// The title when no application object set one: string 57344 of the
// executable, else the executable's name without its folder and extension.
CString DefaultTitle() {
    CString title;
    if (title.LoadString(AFX_IDS_APP_TITLE)) return title;
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = path;
    const char* dot = nullptr;
    for (const char* p = path; *p != '\0'; p = ::CharNextA(p)) {
        if (*p == '\\') {
            name = p + 1;
            dot = nullptr;
        } else if (*p == '.') {
            dot = p;
        }
    }
    return dot ? CString(name, static_cast<int>(dot - name)) : CString(name);
}

}  // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName) {
    g_pApp = this;
    if (lpszAppName != nullptr) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
    }
    m_nThreadID = ::GetCurrentThreadId();  // global objects are built on the main thread
}

CWinApp::~CWinApp() {
    for (CSingleDocTemplate* pTemplate : m_templates) delete pTemplate;
    if (g_pApp == this) g_pApp = nullptr;
}

int CWinApp::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

void CWinApp::AddDocTemplate(CSingleDocTemplate* pTemplate) { m_templates.push_back(pTemplate); }

void CCommandLineInfo::ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL) {
    if (bFlag) {
        if (::lstrcmpiA(pszParam, "pt") == 0) m_nShellCommand = FilePrintTo;
        else if (::lstrcmpiA(pszParam, "p") == 0) m_nShellCommand = FilePrint;
        else if (::lstrcmpiA(pszParam, "dde") == 0) m_nShellCommand = FileDDE;
        else if (::lstrcmpiA(pszParam, "Unregister") == 0 || ::lstrcmpiA(pszParam, "Unregserver") == 0)
            m_nShellCommand = AppUnregister;
        return;
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
        if (m_nShellCommand == FileNew) m_nShellCommand = FileOpen;
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    for (int i = 1; i < __argc; ++i) {
        LPCSTR param = __argv[i];
        BOOL bFlag = param[0] == '-' || param[0] == '/';
        rCmdInfo.ParseParam(bFlag ? param + 1 : param, bFlag, i == __argc - 1);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!m_templates.empty()) m_templates.front()->OpenDocumentFile(nullptr);
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return !m_templates.empty() && m_templates.front()->OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr &&
               m_pMainWnd != nullptr;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    default:  // printing, DDE and registration are not supported
        return FALSE;
    }
}

namespace {

HINSTANCE ModuleWith(UINT nIDResource, LPCTSTR lpszType) {
    return AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), lpszType);
}

}  // namespace

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    HINSTANCE hModule = ModuleWith(nIDResource, RT_GROUP_ICON);
    return hModule ? ::LoadIconA(hModule, MAKEINTRESOURCE(nIDResource)) : nullptr;
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const {
    HINSTANCE hModule = ModuleWith(nIDResource, RT_GROUP_CURSOR);
    return hModule ? ::LoadCursorA(hModule, MAKEINTRESOURCE(nIDResource)) : nullptr;
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType) {
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK: case MB_OKCANCEL: case MB_YESNO: case MB_YESNOCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        }
    }
    // Owned by the main window's last active popup, so that a message box
    // shown while a modal dialog runs stays in front of that dialog.
    HWND hOwner = nullptr;
    if (CWnd* pMain = AfxGetMainWnd()) {
        if (pMain->m_hWnd != nullptr) hOwner = ::GetLastActivePopup(::GetAncestor(pMain->m_hWnd, GA_ROOT));
    }
    return ::MessageBoxA(hOwner, lpszText, AfxGetAppName(), nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType) {
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType);
}

CWinApp* AFXAPI AfxGetApp() { return g_pApp; }

CWnd* AFXAPI AfxGetMainWnd() {
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr && pThread->m_pMainWnd != nullptr) return pThread->m_pMainWnd;
    return g_pApp ? g_pApp->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    return g_pApp && g_pApp->m_hInstance ? g_pApp->m_hInstance : ::GetModuleHandleA(nullptr);
}

LPCTSTR AfxGetAppName() {
    if (g_pApp != nullptr && g_pApp->m_pszAppName != nullptr) return g_pApp->m_pszAppName;
    static CString title = DefaultTitle();  // programs without an application object (tests)
    return title;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPTSTR, int nCmdShow) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr) return -1;
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
    ::InitCommonControlsEx(&icc);

    pApp->m_hInstance = hInstance;
    pApp->m_nCmdShow = nCmdShow;
    pApp->m_hThread = ::GetCurrentThread();
    pApp->m_nThreadID = ::GetCurrentThreadId();
    PvfxGetThreadState()->pThread = pApp;
    if (pApp->m_pszAppName == nullptr) {  // a name given to the constructor wins
        pApp->m_strAppName = DefaultTitle();
        pApp->m_pszAppName = pApp->m_strAppName;
    }

    if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd != nullptr) pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}

BOOL AFXAPI AfxSocketInit() {
    WSADATA data;
    return ::WSAStartup(MAKEWORD(1, 1), &data) == 0;
}

BOOL AFXAPI AfxOleInit() {
    HRESULT hr = ::OleInitialize(nullptr);
    return SUCCEEDED(hr);
}

void AFXAPI AfxEnableControlContainer() {}
