// CWnd: binding windows to objects, creation, and the window procedure.
#include "framework/internal.h"

const char kPvfxWndProp[] = "PvFx.CWnd";

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

void PvfxSetTempHandle(CWnd* p, HWND h) { p->m_hWnd = h; }

// ---- binding ---------------------------------------------------------------

// The creation hook binds the object waiting in the thread state to the
// first window created after it was set: CreateEx and the dialog creations
// set it just before calling the system, so the window is ours from its very
// first message.
struct PvfxWindowBinding {
    static LRESULT CALLBACK CbtHook(int nCode, WPARAM wParam, LPARAM lParam) {
        PvfxThreadState* state = PvfxGetThreadState();
        if (nCode == HCBT_CREATEWND && state->pWndInit != nullptr) {
            CWnd* pWnd = state->pWndInit;
            state->pWndInit = nullptr;
            pWnd->BindWindow(reinterpret_cast<HWND>(wParam), TRUE);
        }
        return ::CallNextHookEx(state->hHookCbt, nCode, wParam, lParam);
    }
};

void PvfxHookWindowCreate(CWnd* pWnd) {
    static bool s_commonControlsReady = false;  // before the first control or template
    if (!s_commonControlsReady) {
        INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
        ::InitCommonControlsEx(&icc);
        s_commonControlsReady = true;
    }
    PvfxThreadState* state = PvfxGetThreadState();
    if (state->nHookDepth++ == 0)
        state->hHookCbt = ::SetWindowsHookExA(WH_CBT, &PvfxWindowBinding::CbtHook, nullptr, ::GetCurrentThreadId());
    state->pWndInit = pWnd;
}

void PvfxUnhookWindowCreate() {
    PvfxThreadState* state = PvfxGetThreadState();
    state->pWndInit = nullptr;
    if (--state->nHookDepth == 0 && state->hHookCbt != nullptr) {
        ::UnhookWindowsHookEx(state->hHookCbt);
        state->hHookCbt = nullptr;
    }
}

BOOL CWnd::BindWindow(HWND hWnd, BOOL bSubclass) {
    if (hWnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWnd) != nullptr) return FALSE;
    m_hWnd = hWnd;
    ::SetPropA(hWnd, kPvfxWndProp, this);
    if (bSubclass) {
        // Set before AfxWndProc can run: it reads the object from here.
        ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_pfnSuper = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    }
    return TRUE;
}

// Only windows that BindWindow subclassed reach AfxWndProc: their user data
// holds the object (0 once the binding is undone).
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = reinterpret_cast<CWnd*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (pWnd == nullptr) return ::DefWindowProcA(hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        pWnd->HandleNcDestroy();  // may delete pWnd
        return 0;
    }
    PvfxThreadState* state = PvfxGetThreadState();
    MSG saved = state->lastSentMsg;
    state->lastSentMsg.hwnd = hWnd;
    state->lastSentMsg.message = message;
    state->lastSentMsg.wParam = wParam;
    state->lastSentMsg.lParam = lParam;
    LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    state->lastSentMsg = saved;
    return result;
}

void CWnd::HandleNcDestroy() {
    HWND hWnd = m_hWnd;
    WNDPROC super = m_pfnSuper;
    if (super != nullptr) {
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
        ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
        ::CallWindowProcA(super, hWnd, WM_NCDESTROY, 0, 0);
    } else {
        ::DefWindowProcA(hWnd, WM_NCDESTROY, 0, 0);
    }
    ::RemovePropA(hWnd, kPvfxWndProp);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    // The end of a thread's main window ends that thread's message loop.
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr && pThread->m_pMainWnd == this) {
        ::PostQuitMessage(0);
        pThread->m_pMainWnd = nullptr;
    }
    PostNcDestroy();
}

CWnd::~CWnd() {
    if (m_hWnd != nullptr && ::GetPropA(m_hWnd, kPvfxWndProp) == this) {
        ::DestroyWindow(m_hWnd);
        if (m_hWnd != nullptr) Unbind();  // another thread's window: only unbind
    }
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) {
    if (hWnd == nullptr) return nullptr;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    if (processId != ::GetCurrentProcessId()) return nullptr;
    // A window whose procedure is AfxWndProc is subclassed by us and by
    // nothing since: its user data is the object. Any other window may keep
    // anything there; the property tells.
    if (::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&AfxWndProc))
        return reinterpret_cast<CWnd*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    return static_cast<CWnd*>(::GetPropA(hWnd, kPvfxWndProp));
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) {
    if (hWnd == nullptr) return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd)) return pWnd;
    return PvfxGetThreadState()->temps.Get<CWnd>(hWnd);
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!BindWindow(hWnd, TRUE)) return FALSE;
    PreSubclassWindow();
    return TRUE;
}

HWND CWnd::Unbind() {
    HWND hWnd = m_hWnd;
    if (m_pfnSuper != nullptr) {
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
    }
    if (::GetPropA(hWnd, kPvfxWndProp) == this) ::RemovePropA(hWnd, kPvfxWndProp);
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
    return hWnd;
}

void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}

// ---- classes and creation ----------------------------------------------------

namespace {

LPCSTR RegisterOnce(LPCSTR name, UINT style, HBRUSH background) {
    WNDCLASSA wc = {};
    if (::GetClassInfoA(PvfxGetFrameworkModule(), name, &wc)) return name;
    wc.style = style | CS_GLOBALCLASS;
    wc.lpfnWndProc = ::DefWindowProcA;  // replaced by AfxWndProc when bound
    wc.hInstance = PvfxGetFrameworkModule();
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    ::RegisterClassA(&wc);
    return name;
}

}  // namespace

LPCSTR PvfxDefaultWndClass() { return RegisterOnce("PvFxWnd", CS_DBLCLKS, nullptr); }

LPCSTR PvfxFrameOrViewClass() {
    return RegisterOnce("PvFxFrameOrView", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                        reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr) cs.lpszClass = PvfxDefaultWndClass();
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, PvfxHwnd(pParentWnd),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                    int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    PvfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    bool bBound = PvfxGetThreadState()->pWndInit == nullptr;
    PvfxUnhookWindowCreate();
    if (hWnd != nullptr) return TRUE;
    // A window destroyed during creation (OnCreate returned -1) was unbound
    // and PostNcDestroy ran; one that never came to exist gets the same end.
    if (!bBound) PostNcDestroy();
    return FALSE;
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

// ---- the message path --------------------------------------------------------

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& msg = PvfxGetThreadState()->lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

// ---- default handlers ----------------------------------------------------------

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }

void CWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (lpDrawItemStruct->CtlType != ODT_MENU) {
        CWnd* pChild = FromHandlePermanent(lpDrawItemStruct->hwndItem);
        LRESULT result = 0;
        if (pChild != nullptr && pChild->OnChildNotify(WM_DRAWITEM, static_cast<WPARAM>(nIDCtl),
                                                       reinterpret_cast<LPARAM>(lpDrawItemStruct), &result))
            return;
    }
    Default();
}
