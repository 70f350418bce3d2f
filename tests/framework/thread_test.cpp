// Worker threads: suspended start, priority, suspend/resume counts, result.
#include <gtest/gtest.h>
#include "framework/afxwin.h"

namespace {

struct WorkerContext {
    HANDLE started;
    HANDLE release;
    CWnd* seenMainWnd;
};

UINT __cdecl Worker(LPVOID pParam) {
    auto* ctx = static_cast<WorkerContext*>(pParam);
    ctx->seenMainWnd = AfxGetMainWnd();  // its thread's own, once the thread knows its object
    ::SetEvent(ctx->started);
    ::WaitForSingleObject(ctx->release, INFINITE);
    return 123;
}

}  // namespace

TEST(Threads, SuspendedWorkerRunsAfterResumeAndReturnsItsResult) {
    WorkerContext ctx = { ::CreateEventA(nullptr, TRUE, FALSE, nullptr), ::CreateEventA(nullptr, TRUE, FALSE, nullptr),
                          nullptr };
    CWinThread* pThread = AfxBeginThread(Worker, &ctx, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    EXPECT_TRUE(pThread->m_bAutoDelete);
    pThread->m_bAutoDelete = FALSE;  // kept so that it can be waited for
    ASSERT_NE(nullptr, pThread->m_hThread);
    EXPECT_EQ(THREAD_PRIORITY_BELOW_NORMAL, ::GetThreadPriority(pThread->m_hThread));
    EXPECT_EQ(WAIT_TIMEOUT, ::WaitForSingleObject(ctx.started, 0));
    CWnd mainOfWorker;
    pThread->m_pMainWnd = &mainOfWorker;

    EXPECT_EQ(1u, ::SuspendThread(pThread->m_hThread));  // suspended once already
    EXPECT_EQ(2u, ::ResumeThread(pThread->m_hThread));
    EXPECT_EQ(1u, ::ResumeThread(pThread->m_hThread));   // now it runs
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(ctx.started, INFINITE));
    EXPECT_EQ(&mainOfWorker, ctx.seenMainWnd);

    EXPECT_EQ(0u, ::SuspendThread(pThread->m_hThread));
    EXPECT_EQ(1u, ::ResumeThread(pThread->m_hThread));
    ::SetEvent(ctx.release);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pThread->m_hThread, INFINITE));
    DWORD code = 0;
    ASSERT_TRUE(::GetExitCodeThread(pThread->m_hThread, &code));
    EXPECT_EQ(123u, code);
    delete pThread;
    ::CloseHandle(ctx.started);
    ::CloseHandle(ctx.release);
}

TEST(Threads, AutoDeleteWorkerEndsOnItsOwn) {
    WorkerContext ctx = { ::CreateEventA(nullptr, TRUE, FALSE, nullptr), ::CreateEventA(nullptr, TRUE, TRUE, nullptr),
                          nullptr };
    CWinThread* pThread = AfxBeginThread(Worker, &ctx, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    HANDLE hWait = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), pThread->m_hThread, ::GetCurrentProcess(), &hWait, 0, FALSE,
                                  DUPLICATE_SAME_ACCESS));
    ::ResumeThread(pThread->m_hThread);  // from here on the object may be gone
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hWait, INFINITE));
    DWORD code = 0;
    ::GetExitCodeThread(hWait, &code);
    EXPECT_EQ(123u, code);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(ctx.started, 0));
    ::CloseHandle(hWait);
    ::CloseHandle(ctx.started);
    ::CloseHandle(ctx.release);
}

TEST(Threads, NoMainWindowOnAPlainThread) {
    EXPECT_EQ(nullptr, AfxGetMainWnd());  // no thread object and no application object
}
