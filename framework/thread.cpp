// CWinThread and worker threads.
#include "framework/internal.h"
#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

struct PvfxThreadStart {
    static unsigned __stdcall Entry(void* pParam) {
        CWinThread* pThread = static_cast<CWinThread*>(pParam);
        PvfxThreadState* state = PvfxGetThreadState();
        state->pThread = pThread;
        UINT nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
        state->temps.Clear();
        state->pThread = nullptr;
        if (pThread->m_bAutoDelete) delete pThread;
        return nResult;
    }
};

CWinThread::~CWinThread() {
    if (m_hThread != nullptr && m_hThread != ::GetCurrentThread()) ::CloseHandle(m_hThread);
}

BOOL CWinThread::InitInstance() { return TRUE; }
int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

BOOL CWinThread::OnIdle(LONG) {
    PvfxGetThreadState()->temps.Clear();
    return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
    return PvfxWalkPreTranslateTree(PvfxHwnd(m_pMainWnd), pMsg);
}

int CWinThread::Run() {
    for (;;) {
        if (!::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) OnIdle(0);
        if (::GetMessageA(&m_msgCur, nullptr, 0, 0) <= 0) return ExitInstance();
        if (!PreTranslateMessage(&m_msgCur)) {
            ::TranslateMessage(&m_msgCur);
            ::DispatchMessageA(&m_msgCur);
        }
    }
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags) {
    CWinThread* pThread = new CWinThread;
    pThread->m_pfnThreadProc = pfnThreadProc;
    pThread->m_pThreadParams = pParam;
    // Started suspended, so that m_hThread is set before the thread can run
    // (and perhaps delete the object).
    unsigned threadId = 0;
    uintptr_t h = ::_beginthreadex(nullptr, nStackSize, &PvfxThreadStart::Entry, pThread,
                                   dwCreateFlags | CREATE_SUSPENDED, &threadId);
    if (h == 0) {
        delete pThread;
        return nullptr;
    }
    pThread->m_hThread = reinterpret_cast<HANDLE>(h);
    pThread->m_nThreadID = threadId;
    ::SetThreadPriority(pThread->m_hThread, nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED)) ::ResumeThread(pThread->m_hThread);
    return pThread;
}

CWinThread* AfxGetThread() {
    if (CWinThread* pThread = PvfxGetThreadState()->pThread) return pThread;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->m_nThreadID == ::GetCurrentThreadId() ? pApp : nullptr;
}
