// Threads, the application object, the resource chain and global helpers.
//
// The executable defines exactly one global object of a CWinApp subclass;
// the framework supplies WinMain (framework/winmain.cpp, linked into every
// executable that links the framework), which runs InitInstance and then Run.
#pragma once
#include "framework/afxwnd.h"
#include "framework/afxcoll.h"

class CDocTemplate;
struct WSAData;

typedef UINT (__cdecl* AFX_THREADPROC)(LPVOID);

class PVFX_API CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;  // closes m_hThread

    // Starts the thread (see AfxBeginThread). FALSE when it cannot be started.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    int GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
    BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
    operator HANDLE() const { return m_hThread; }

    virtual BOOL InitInstance();
    virtual int ExitInstance();     // returns the exit code (the WM_QUIT wParam)
    // The message loop: returns ExitInstance() after WM_QUIT.
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Called when the queue is empty; frees the thread's temporary wrappers.
    virtual BOOL OnIdle(LONG lCount);
    virtual CWnd* GetMainWnd();

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    // TRUE: the object deletes itself when a worker's function returns, so the
    // pointer must not be used after that.
    BOOL m_bAutoDelete = TRUE;
    CWnd* m_pMainWnd = nullptr;
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;

protected:
    MSG m_msgCur = {};
};

// Starts pfnThreadProc(pParam) on a new thread. The thread is created
// suspended, given nPriority, and resumed unless dwCreateFlags holds
// CREATE_SUSPENDED. Returns NULL when the thread cannot be created.
PVFX_API CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                           DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
// Ends the calling worker thread (deleting its object if m_bAutoDelete).
PVFX_API void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
PVFX_API CWinThread* AFXAPI AfxGetThread();

class PVFX_API CCommandLineInfo : public CObject {
public:
    CCommandLineInfo() = default;
    // Called for each argument; bFlag when it began with '/' or '-' (removed).
    virtual void ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast);

    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 } m_nShellCommand = FileNew;
    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    CString m_strFileName;
};

class PVFX_API CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // Registers this object as the process's application.
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    ~CWinApp() override;  // deletes the document templates

    // Set before InitInstance: the title (the name given to the constructor,
    // else string 57344 of the executable, else the executable's name).
    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    HINSTANCE m_hPrevInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

    virtual BOOL InitApplication();
    int ExitInstance() override;

    // Settings are kept under HKCU\Software\<key>\<app name>; nothing is written here.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    // The program keeps no recent-file list: this only records nMaxMRU.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    BOOL Enable3dControls() { return TRUE; }  // the system draws 3-D controls itself
    BOOL Enable3dControlsStatic() { return TRUE; }

    void AddDocTemplate(CDocTemplate* pTemplate);  // the application owns it
    POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // FileNew/FileOpen: opens a document with the first template. FALSE when
    // that fails or no main window resulted.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    virtual void OnFileNew();
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);

    // Resources are looked up through the resource chain.
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIconA(nullptr, lpszIconName); }
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursorA(nullptr, lpszCursorName); }

    // Shows a message box with the application title (used by AfxMessageBox).
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

protected:
    CObList m_templateList;
    UINT m_nMaxMRU = 0;
    CString m_strAppName, m_strExeName, m_strRegistryKey;
    friend PVFX_API int AFXAPI AfxWinMain(HINSTANCE, HINSTANCE, LPTSTR, int);
};

// The body of WinMain: sets up the application object, runs InitInstance,
// then Run (or ExitInstance when InitInstance fails). Returns the exit code.
PVFX_API int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);

PVFX_API CWinApp* AFXAPI AfxGetApp();
// The current thread's main window, else the application's.
PVFX_API CWnd* AFXAPI AfxGetMainWnd();
PVFX_API HINSTANCE AFXAPI AfxGetInstanceHandle();
PVFX_API HINSTANCE AFXAPI AfxGetResourceHandle();
PVFX_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
PVFX_API LPCTSTR AFXAPI AfxGetAppName();

// Message boxes: MessageBoxA owned by the main window, captioned with the
// application title. A type without an icon gets MB_ICONEXCLAMATION (OK,
// OK/Cancel, Yes/No, Yes/No/Cancel). The prompt id form loads the text
// through the resource chain.
PVFX_API int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
PVFX_API int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// Windows Sockets 1.1; FALSE when WSAStartup fails. Left to the process's end.
PVFX_API BOOL AFXAPI AfxSocketInit(WSAData* lpwsaData = NULL);
// OLE for the calling thread; FALSE when OleInitialize fails.
PVFX_API BOOL AFXAPI AfxOleInit();
PVFX_API void AFXAPI AfxEnableControlContainer();

// The resource chain: the executable (or the handle set with
// AfxSetResourceHandle) first, then each registered extension module in
// registration order. Returns the first module holding the resource, or NULL.
PVFX_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
PVFX_API void AFXAPI AfxRegisterResourceModule(HINSTANCE hModule);
PVFX_API void AFXAPI AfxUnregisterResourceModule(HINSTANCE hModule);

// Extension DLLs register themselves from DllMain:
//   static AFX_EXTENSION_MODULE ChronikDLL = { FALSE, NULL };
//   DLL_PROCESS_ATTACH: AfxInitExtensionModule(ChronikDLL, hInstance); new CDynLinkLibrary(ChronikDLL);
//   DLL_PROCESS_DETACH: AfxTermExtensionModule(ChronikDLL);
struct AFX_EXTENSION_MODULE {
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
};
PVFX_API BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Removes the module from the resource chain and deletes its CDynLinkLibrary.
PVFX_API void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// Puts its module into the resource chain for as long as it exists.
class PVFX_API CDynLinkLibrary : public CCmdTarget {
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state);
    ~CDynLinkLibrary() override;
    HMODULE m_hModule;
    HMODULE m_hResource;
};
