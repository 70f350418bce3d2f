// Message-map lookup and the one place where handlers are called.
//
// A window message goes AfxWndProc -> CWnd::WindowProc -> CWnd::OnWndMsg:
//   WM_COMMAND  -> OnCommand: the sending control's reflect entries first
//                  (OnChildNotify), then OnCmdMsg (frames route on to the
//                  active view, views to their document);
//   WM_NOTIFY   -> OnNotify: the same order;
//   WM_DRAWITEM -> CWnd::OnDrawItem hands it to the control's DrawItem;
//   WM_CTLCOLORxxx -> the ON_WM_CTLCOLOR entry;
//   others      -> the entry for the message, if any.
// PvfxDispatchEntry calls the handler according to the entry's signature.
#include "framework/internal.h"
#include <windowsx.h>

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, AfxSig_end, nullptr } };
    static const AFX_MSGMAP map = { nullptr, &entries[0] };
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP_ENTRY* PvfxFindEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID) {
    for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->nSig != AfxSig_end; ++e) {
            if (e->nMessage == nMsg && e->nCode == nCode && e->nID == nID) return e;
        }
    }
    return nullptr;
}

namespace {

// Turns the table's pointer back into the type the entry macro checked.
template <class F>
F As(AFX_PMSG pfn) { return pvfx::FromPmsg<F>(pfn); }

bool IsCommandEntry(const AFX_MSGMAP_ENTRY* e) {
    return e->nMessage == WM_COMMAND || e->nMessage == WM_NOTIFY ||
           e->nMessage == WM_COMMAND + WM_REFLECT_BASE || e->nMessage == WM_NOTIFY + WM_REFLECT_BASE;
}

}  // namespace

// Returns TRUE when the message counts as handled: always for window messages
// and plain commands; for the _EX reflect entries, the handler's answer.
BOOL PvfxDispatchEntry(CCmdTarget* pTarget, const AFX_MSGMAP_ENTRY* e, const PvfxCall& c, LRESULT* pResult) {
    CWnd* pWnd = static_cast<CWnd*>(pTarget);  // only used for window-message signatures
    LRESULT result = 0;
    switch (e->nSig) {
    case AfxSig_vv:
        if (IsCommandEntry(e)) (pTarget->*e->pfn)();
        else (pWnd->*As<void (CWnd::*)()>(e->pfn))();
        break;
    case AfxSig_bv:
        return (pTarget->*As<BOOL (CCmdTarget::*)()>(e->pfn))();
    case AfxSig_vNMHDRpl:
        (pTarget->*As<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(e->pfn))(c.pNotify->pNMHDR, c.pNotify->pResult);
        break;
    case AfxSig_bNMHDRpl:
        return (pTarget->*As<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(e->pfn))(c.pNotify->pNMHDR, c.pNotify->pResult);
    case AfxSig_lwl:
        result = (pWnd->*As<LRESULT (CWnd::*)(WPARAM, LPARAM)>(e->pfn))(c.wParam, c.lParam);
        break;
    case AfxSig_is:
        result = (pWnd->*As<int (CWnd::*)(LPCREATESTRUCT)>(e->pfn))(reinterpret_cast<LPCREATESTRUCT>(c.lParam));
        break;
    case AfxSig_vTimer:
        (pWnd->*As<void (CWnd::*)(UINT_PTR)>(e->pfn))(static_cast<UINT_PTR>(c.wParam));
        break;
    case AfxSig_vwp:
        (pWnd->*As<void (CWnd::*)(UINT, CPoint)>(e->pfn))(static_cast<UINT>(c.wParam),
                                                         CPoint(GET_X_LPARAM(c.lParam), GET_Y_LPARAM(c.lParam)));
        break;
    case AfxSig_bWww:
        result = (pWnd->*As<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(e->pfn))(
            CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)), LOWORD(c.lParam), HIWORD(c.lParam));
        break;
    case AfxSig_hDWw:
        result = reinterpret_cast<LRESULT>((pWnd->*As<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(e->pfn))(
            CDC::FromHandle(reinterpret_cast<HDC>(c.wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)),
            c.nCtlColor));
        break;
    case AfxSig_bD:
        result = (pWnd->*As<BOOL (CWnd::*)(CDC*)>(e->pfn))(CDC::FromHandle(reinterpret_cast<HDC>(c.wParam)));
        break;
    case AfxSig_vwl:
        (pWnd->*As<void (CWnd::*)(UINT, LPARAM)>(e->pfn))(static_cast<UINT>(c.wParam), c.lParam);
        break;
    case AfxSig_hv:
        result = reinterpret_cast<LRESULT>((pWnd->*As<HCURSOR (CWnd::*)()>(e->pfn))());
        break;
    case AfxSig_vW:
        (pWnd->*As<void (CWnd::*)(CWnd*)>(e->pfn))(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)));
        break;
    case AfxSig_vwWb:
        (pWnd->*As<void (CWnd::*)(UINT, CWnd*, BOOL)>(e->pfn))(
            LOWORD(c.wParam), CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)), HIWORD(c.wParam));
        break;
    case AfxSig_vOWNER:
        (pWnd->*As<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(e->pfn))(static_cast<int>(c.wParam),
                                                                  reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam));
        result = TRUE;
        break;
    case AfxSig_vwii:
        (pWnd->*As<void (CWnd::*)(UINT, int, int)>(e->pfn))(static_cast<UINT>(c.wParam),
                                                            (short)LOWORD(c.lParam), (short)HIWORD(c.lParam));
        break;
    case AfxSig_vwww:
        (pWnd->*As<void (CWnd::*)(UINT, UINT, UINT)>(e->pfn))(static_cast<UINT>(c.wParam), LOWORD(c.lParam),
                                                             HIWORD(c.lParam));
        break;
    default:
        return FALSE;
    }
    if (pResult) *pResult = result;
    return TRUE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra) {
    UINT nMsg = HIWORD(nCode) == WM_NOTIFY ? WM_NOTIFY : WM_COMMAND;
    UINT code = nMsg == WM_NOTIFY ? LOWORD(nCode) : static_cast<UINT>(nCode);
    const AFX_MSGMAP_ENTRY* e = PvfxFindEntry(GetMessageMap(), nMsg, code, nID);
    if (e == nullptr) return FALSE;
    PvfxCall call;
    call.pNotify = static_cast<AFX_NOTIFY*>(pExtra);
    return PvfxDispatchEntry(this, e, call, nullptr);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        LRESULT result = 0;
        if (!OnNotify(wParam, lParam, &result)) return FALSE;
        *pResult = result;
        return TRUE;
    }
    PvfxCall call;
    call.message = message;
    call.wParam = wParam;
    call.lParam = lParam;
    UINT lookup = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        lookup = WM_CTLCOLOR;
        call.nCtlColor = message - WM_CTLCOLORMSGBOX;
    }
    const AFX_MSGMAP_ENTRY* e = PvfxFindEntry(GetMessageMap(), lookup, 0, 0);
    if (e == nullptr) return FALSE;
    return PvfxDispatchEntry(this, e, call, pResult);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr) {
        nCode = CN_COMMAND;  // a menu item or an accelerator
    } else {
        CWnd* pChild = FromHandlePermanent(hWndCtrl);
        LRESULT result = 0;
        if (pChild && pChild != this && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, &result)) return TRUE;
    }
    return OnCmdMsg(nID, nCode, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    CWnd* pChild = FromHandlePermanent(pNMHDR->hwndFrom);
    if (pChild && pChild != this && pChild->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult)) return TRUE;
    AFX_NOTIFY notify = { pResult, pNMHDR };
    return OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), MAKELONG(pNMHDR->code, WM_NOTIFY), &notify);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    PvfxCall call;
    call.message = message;
    call.wParam = wParam;
    call.lParam = lParam;
    const AFX_MSGMAP_ENTRY* e = nullptr;
    AFX_NOTIFY notify = { pResult, nullptr };
    if (message == WM_COMMAND) {
        e = PvfxFindEntry(GetMessageMap(), WM_COMMAND + WM_REFLECT_BASE, HIWORD(wParam), 0);
    } else if (message == WM_NOTIFY) {
        notify.pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        call.pNotify = &notify;
        e = PvfxFindEntry(GetMessageMap(), WM_NOTIFY + WM_REFLECT_BASE, LOWORD(notify.pNMHDR->code), 0);
    }
    if (e == nullptr) return FALSE;
    return PvfxDispatchEntry(this, e, call, nullptr);
}
