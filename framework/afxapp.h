// Threads, the application object, the resource chain and global helpers.
//
// The executable defines exactly one global object of a CWinApp subclass;
// the framework supplies WinMain (framework/winmain.cpp, linked into every
// executable that links the framework), which runs InitInstance and then Run.
#pragma once
#include "framework/afxwnd.h"

#include <vector>

class CSingleDocTemplate;

typedef UINT (__cdecl* AFX_THREADPROC)(LPVOID);

class PVFX_API CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    ~CWinThread() override;  // closes m_hThread

    virtual BOOL InitInstance();
    // The message loop: returns ExitInstance() after WM_QUIT.
    virtual int Run();
    // Offers pMsg to the bound windows from its target up to the main window.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    // TRUE: the object deletes itself when a worker's function returns, so the
    // pointer must not be used after that.
    BOOL m_bAutoDelete = TRUE;
    CWnd* m_pMainWnd = nullptr;

protected:
    CWinThread() = default;         // made by AfxBeginThread, or as the application object's base
    virtual int ExitInstance();     // returns the exit code (the WM_QUIT wParam)
    // Called when the queue is empty; frees the thread's temporary wrappers.
    virtual BOOL OnIdle(LONG lCount);

    MSG m_msgCur = {};

private:
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;
    friend struct PvfxThreadStart;
    friend PVFX_API CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC, LPVOID, int, UINT, DWORD);
};

// Starts pfnThreadProc(pParam) on a new thread. The thread is created
// suspended, given nPriority, and resumed unless dwCreateFlags holds
// CREATE_SUSPENDED. Returns NULL when the thread cannot be created.
PVFX_API CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                           DWORD dwCreateFlags = 0);

// The command line's meaning: a file name opens that file, no file a new
// document; the flags of printing, DDE and registration are understood and
// refused.
class PVFX_API CCommandLineInfo : public CObject {
public:
    CCommandLineInfo() = default;

    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 } m_nShellCommand = FileNew;
    CString m_strFileName;

protected:
    // Called for each argument; bFlag when it began with '/' or '-' (removed).
    virtual void ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast);
    friend class CWinApp;
};

class PVFX_API CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // Registers this object as the process's application.
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    ~CWinApp() override;  // deletes the document templates

    // The title (the name given to the constructor, else string 57344 of the
    // executable, else the executable's name), set before InitInstance.
    LPCTSTR m_pszAppName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

    // Settings would be kept under HKCU\Software\<key>\<app name>; the
    // program keeps none, so nothing is written.
    void SetRegistryKey(LPCTSTR lpszRegistryKey) { m_strRegistryKey = lpszRegistryKey; }
    // The program keeps no recent-file list: this only records nMaxMRU.
    void LoadStdProfileSettings(UINT nMaxMRU = 4) { m_nMaxMRU = nMaxMRU; }
    BOOL Enable3dControls() { return TRUE; }  // the system draws 3-D controls itself

    void AddDocTemplate(CSingleDocTemplate* pTemplate);  // the application owns it
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // FileNew/FileOpen: opens a document with the first template. FALSE when
    // that fails, no main window resulted, or the command is another one.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // Icon and cursor nIDResource, looked up through the resource chain.
    HICON LoadIcon(UINT nIDResource) const;
    HCURSOR LoadCursor(UINT nIDResource) const;

protected:
    int ExitInstance() override;

private:
    std::vector<CSingleDocTemplate*> m_templates;
    UINT m_nMaxMRU = 0;
    CString m_strAppName, m_strRegistryKey;
    friend PVFX_API int AFXAPI AfxWinMain(HINSTANCE, HINSTANCE, LPTSTR, int);
};

// The body of WinMain: sets up the application object, runs InitInstance,
// then Run (or ExitInstance when InitInstance fails). Returns the exit code.
PVFX_API int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);

PVFX_API CWinApp* AFXAPI AfxGetApp();
// The current thread's main window, else the application's.
PVFX_API CWnd* AFXAPI AfxGetMainWnd();

// Message boxes: MessageBoxA owned by the main window, captioned with the
// application title. A type without an icon gets MB_ICONEXCLAMATION (OK,
// OK/Cancel, Yes/No, Yes/No/Cancel). The prompt id form loads the text
// through the resource chain.
PVFX_API int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK);
PVFX_API int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK);

// Windows Sockets 1.1; FALSE when WSAStartup fails. Left to the process's end.
PVFX_API BOOL AFXAPI AfxSocketInit();
// OLE for the calling thread; FALSE when OleInitialize fails.
PVFX_API BOOL AFXAPI AfxOleInit();
PVFX_API void AFXAPI AfxEnableControlContainer();

// The resource chain: the executable first, then each extension module in
// the order its CDynLinkLibrary was made. Returns the first module holding
// the resource, or NULL.
PVFX_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

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
// Takes the module out of the resource chain and deletes its CDynLinkLibrary.
PVFX_API void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state);

// Puts its module into the resource chain for as long as it exists.
class PVFX_API CDynLinkLibrary : public CCmdTarget {
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state);
    ~CDynLinkLibrary() override;
    HMODULE m_hModule;
    HMODULE m_hResource;
};
