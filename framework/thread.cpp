// CWinThread and worker threads.
#include "framework/internal.h"
#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

void EndThreadState(CWinThread* pThread, BOOL bDelete) {
    PvfxThreadState* state = PvfxGetThreadState();
    state->temps.Clear();
    state->pThread = nullptr;
    if (bDelete && pThread != nullptr && pThread->m_bAutoDelete) delete pThread;
}

unsigned __stdcall ThreadEntry(void* pParam) {
    CWinThread* pThread = static_cast<CWinThread*>(pParam);
    PvfxGetThreadState()->pThread = pThread;
    UINT nResult;
    if (pThread->m_pfnThreadProc != nullptr)
        nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    else
        nResult = pThread->InitInstance() ? pThread->Run() : pThread->ExitInstance();
    EndThreadState(pThread, TRUE);
    return nResult;
}

}  // namespace

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
    if (m_hThread != nullptr && m_hThread != ::GetCurrentThread()) ::CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    // Always started suspended, so that m_hThread is set before the thread
    // can run (and perhaps delete this object).
    unsigned threadId = 0;
    uintptr_t h = ::_beginthreadex(lpSecurityAttrs, nStackSize, &ThreadEntry, this,
                                   dwCreateFlags | CREATE_SUSPENDED, &threadId);
    if (h == 0) return FALSE;
    m_hThread = reinterpret_cast<HANDLE>(h);
    m_nThreadID = threadId;
    if (!(dwCreateFlags & CREATE_SUSPENDED)) ::ResumeThread(m_hThread);
    return TRUE;
}

BOOL CWinThread::InitInstance() { return TRUE; }
int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }
CWnd* CWinThread::GetMainWnd() { return m_pMainWnd; }

BOOL CWinThread::OnIdle(LONG) {
    PvfxGetThreadState()->temps.Clear();
    return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
    return PvfxWalkPreTranslateTree(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, pMsg);
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
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete pThread;
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED)) pThread->ResumeThread();
    return pThread;
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete) {
    EndThreadState(AfxGetThread(), bDelete);
    ::_endthreadex(nExitCode);
}

CWinThread* AFXAPI AfxGetThread() {
    if (CWinThread* pThread = PvfxGetThreadState()->pThread) return pThread;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->m_nThreadID == ::GetCurrentThreadId() ? pApp : nullptr;
}
