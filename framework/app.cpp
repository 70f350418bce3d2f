// CWinApp, the program's start, and the global helpers.
#include <winsock2.h>  // before windows.h
#include "framework/internal.h"
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp* g_pApp = nullptr;

// The title when no application object set one: string 57344 of the
// executable, else the executable's name without its extension.
CString DefaultTitle() {
    CString title;
    if (title.LoadString(AFX_IDS_APP_TITLE)) return title;
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString name(path);
    name = name.Mid(name.ReverseFind('\\') + 1);
    int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Left(dot) : name;
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
    while (!m_templateList.IsEmpty()) delete static_cast<CDocTemplate*>(m_templateList.RemoveHead());
    if (g_pApp == this) g_pApp = nullptr;
}

BOOL CWinApp::InitApplication() { return TRUE; }
int CWinApp::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey;
    m_pszProfileName = m_pszAppName;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) { m_nMaxMRU = nMaxMRU; }

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) { m_templateList.AddTail(pTemplate); }

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const {
    return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

void CCommandLineInfo::ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL) {
    if (bFlag) {
        if (::lstrcmpiA(pszParam, "pt") == 0) m_nShellCommand = FilePrintTo;
        else if (::lstrcmpiA(pszParam, "p") == 0) m_nShellCommand = FilePrint;
        else if (::lstrcmpiA(pszParam, "dde") == 0) m_nShellCommand = FileDDE;
        else if (::lstrcmpiA(pszParam, "Unregister") == 0 || ::lstrcmpiA(pszParam, "Unregserver") == 0)
            m_nShellCommand = AppUnregister;
        else if (::lstrcmpiA(pszParam, "Embedding") == 0) { m_bRunEmbedded = TRUE; m_bShowSplash = FALSE; }
        else if (::lstrcmpiA(pszParam, "Automation") == 0) { m_bRunAutomated = TRUE; m_bShowSplash = FALSE; }
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
        OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr && m_pMainWnd != nullptr;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    default:  // printing, DDE and registration are not supported
        return FALSE;
    }
}

void CWinApp::OnFileNew() {
    if (m_templateList.IsEmpty()) return;
    static_cast<CDocTemplate*>(m_templateList.GetHead())->OpenDocumentFile(nullptr);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName) {
    if (m_templateList.IsEmpty()) return nullptr;
    return static_cast<CDocTemplate*>(m_templateList.GetHead())->OpenDocumentFile(lpszFileName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCE(nIDResource)); }
HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const {
    HINSTANCE hModule = AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON);
    return hModule ? ::LoadIconA(hModule, lpszResourceName) : nullptr;
}
HCURSOR CWinApp::LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCE(nIDResource)); }
HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const {
    HINSTANCE hModule = AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR);
    return hModule ? ::LoadCursorA(hModule, lpszResourceName) : nullptr;
}

namespace {

int ShowMessageBox(LPCTSTR lpszPrompt, UINT nType) {
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
    return ::MessageBoxA(hOwner, lpszPrompt, AfxGetAppName(), nType);
}

}  // namespace

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) { return ShowMessageBox(lpszPrompt, nType); }

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
    CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->DoMessageBox(lpszText, nType, nIDHelp) : ShowMessageBox(lpszText, nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}

CWinApp* AFXAPI AfxGetApp() { return g_pApp; }

CWnd* AFXAPI AfxGetMainWnd() {
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr && pThread->m_pMainWnd != nullptr) return pThread->m_pMainWnd;
    return g_pApp ? g_pApp->m_pMainWnd : nullptr;
}

HINSTANCE AFXAPI AfxGetInstanceHandle() {
    return g_pApp && g_pApp->m_hInstance ? g_pApp->m_hInstance : ::GetModuleHandleA(nullptr);
}

LPCTSTR AFXAPI AfxGetAppName() {
    if (g_pApp != nullptr && g_pApp->m_pszAppName != nullptr) return g_pApp->m_pszAppName;
    static CString title = DefaultTitle();  // programs without an application object (tests)
    return title;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr) return -1;
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
    ::InitCommonControlsEx(&icc);

    pApp->m_hInstance = hInstance;
    pApp->m_hPrevInstance = hPrevInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    pApp->m_hThread = ::GetCurrentThread();
    pApp->m_nThreadID = ::GetCurrentThreadId();
    PvfxGetThreadState()->pThread = pApp;
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString exeName(path);
    exeName = exeName.Mid(exeName.ReverseFind('\\') + 1);
    int dot = exeName.ReverseFind('.');
    pApp->m_strExeName = dot >= 0 ? exeName.Left(dot) : exeName;
    pApp->m_pszExeName = pApp->m_strExeName;
    if (pApp->m_pszAppName == nullptr) {  // a name given to the constructor wins
        pApp->m_strAppName = DefaultTitle();
        pApp->m_pszAppName = pApp->m_strAppName;
    }

    if (!pApp->InitApplication() || !pApp->InitInstance()) {
        if (pApp->m_pMainWnd != nullptr) pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}

BOOL AFXAPI AfxSocketInit(WSAData* lpwsaData) {
    WSADATA data;
    if (::WSAStartup(MAKEWORD(1, 1), &data) != 0) return FALSE;
    if (lpwsaData != nullptr) *lpwsaData = data;
    return TRUE;
}

BOOL AFXAPI AfxOleInit() {
    HRESULT hr = ::OleInitialize(nullptr);
    return SUCCEEDED(hr);
}

void AFXAPI AfxEnableControlContainer() {}
