// Message maps: tables from window messages, commands and notifications to
// handler methods. Each table entry names a signature code; the one function
// that calls handlers, by that code, is PvfxDispatchEntry in msgmap.cpp.
//
//   class CMyView : public CFormView { ... DECLARE_MESSAGE_MAP() };
//   BEGIN_MESSAGE_MAP(CMyView, CFormView)
//       ON_BN_CLICKED(IDC_START, OnButtonStart)
//       ON_WM_TIMER()
//   END_MESSAGE_MAP()
//
// Each entry macro checks the handler's signature at compile time.
#pragma once
#include "framework/pvfxapi.h"

class CCmdTarget;
class CWnd;
class CDC;
class CPoint;

typedef void (CCmdTarget::*AFX_PMSG)();

enum AfxSig : UINT_PTR {
    AfxSig_end = 0,
    AfxSig_vv,          // void ()                        commands, WM_PAINT, ...
    AfxSig_bv,          // BOOL ()                        ON_CONTROL_REFLECT_EX
    AfxSig_vNMHDRpl,    // void (NMHDR*, LRESULT*)        ON_NOTIFY, ON_NOTIFY_REFLECT
    AfxSig_bNMHDRpl,    // BOOL (NMHDR*, LRESULT*)        ON_NOTIFY_REFLECT_EX
    AfxSig_lwl,         // LRESULT (WPARAM, LPARAM)       ON_MESSAGE
    AfxSig_is,          // int (LPCREATESTRUCT)           WM_CREATE
    AfxSig_vTimer,      // void (UINT_PTR)                WM_TIMER
    AfxSig_vwp,         // void (UINT, CPoint)            mouse buttons and moves
    AfxSig_bWww,        // BOOL (CWnd*, UINT, UINT)       WM_SETCURSOR
    AfxSig_hDWw,        // HBRUSH (CDC*, CWnd*, UINT)     WM_CTLCOLOR*
    AfxSig_bD,          // BOOL (CDC*)                    WM_ERASEBKGND
    AfxSig_vwl,         // void (UINT, LPARAM)            WM_SYSCOMMAND
    AfxSig_hv,          // HCURSOR ()                     WM_QUERYDRAGICON
    AfxSig_vW,          // void (CWnd*)                   WM_KILLFOCUS, WM_SETFOCUS
    AfxSig_vwWb,        // void (UINT, CWnd*, BOOL)       WM_ACTIVATE
    AfxSig_vOWNER,      // void (int, LPDRAWITEMSTRUCT)   WM_DRAWITEM
    AfxSig_vwii,        // void (UINT, int, int)          WM_SIZE
    AfxSig_vwww,        // void (UINT, UINT, UINT)        WM_KEYDOWN
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;   // window message, or WM_COMMAND / WM_NOTIFY (+ WM_REFLECT_BASE)
    UINT nCode;      // control notification code (low 16 bits)
    UINT nID;        // control or command id
    UINT_PTR nSig;   // AfxSig code
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Extra data handed to OnCmdMsg for WM_NOTIFY.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

#define CN_COMMAND 0
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019  // stands for WM_CTLCOLORMSGBOX..WM_CTLCOLORSTATIC in tables
#endif
#define WM_REFLECT_BASE 0xBC00

#define DECLARE_MESSAGE_MAP()                                   \
protected:                                                      \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();        \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                   \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() {                     \
        typedef theClass ThisClass;                                              \
        typedef baseClass TheBaseClass;                                          \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                        \
            { 0, 0, 0, AfxSig_end, nullptr }                                     \
        };                                                                       \
        static const AFX_MSGMAP messageMap = {                                   \
            &TheBaseClass::GetThisMessageMap, &_messageEntries[0] };             \
        return &messageMap;                                                      \
    }

// Converts a handler to the table's pointer type after checking its type.
// The bits are copied (not cast) so that the intended round trip through
// AFX_PMSG does not warn; the dispatcher copies them back to the same type.
namespace pvfx {
template <class F>
inline AFX_PMSG ToPmsg(F f) {
    static_assert(sizeof(F) == sizeof(AFX_PMSG), "handler pointers share one size");
    AFX_PMSG p;
    __builtin_memcpy(&p, &f, sizeof(p));
    return p;
}
template <class F>
inline F FromPmsg(AFX_PMSG p) {
    F f;
    __builtin_memcpy(&f, &p, sizeof(f));
    return f;
}
}  // namespace pvfx
#define PVFX_PMSG(type, fn) pvfx::ToPmsg(static_cast<type>(fn))

// Commands and control notifications (sent to the parent).
#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), AfxSig_vv, PVFX_PMSG(void (CCmdTarget::*)(), &ThisClass::memberFxn) },
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), AfxSig_vv, PVFX_PMSG(void (CCmdTarget::*)(), &ThisClass::memberFxn) },
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(int)(wNotifyCode), (UINT)(id), AfxSig_vNMHDRpl, \
      PVFX_PMSG(void (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn) },

// Notifications reflected back to the control that sent them. The parent's
// own entries see a notification only when the control has no reflect entry
// for it, or when an _EX handler returns FALSE.
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (UINT)(WORD)(int)(wNotifyCode), 0, AfxSig_vNMHDRpl, \
      PVFX_PMSG(void (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn) },
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (UINT)(WORD)(int)(wNotifyCode), 0, AfxSig_bNMHDRpl, \
      PVFX_PMSG(BOOL (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn) },
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, AfxSig_bv, \
      PVFX_PMSG(BOOL (CCmdTarget::*)(), &ThisClass::memberFxn) },

// Any message to an LRESULT (WPARAM, LPARAM) handler.
#define ON_MESSAGE(message, memberFxn) \
    { (UINT)(message), 0, 0, AfxSig_lwl, PVFX_PMSG(LRESULT (CWnd::*)(WPARAM, LPARAM), &ThisClass::memberFxn) },

// Window messages to the handlers CWnd declares (OnCreate, OnPaint, ...).
#define PVFX_ON_WM(msg, sig, type, memberFxn) { msg, 0, 0, sig, PVFX_PMSG(type, &ThisClass::memberFxn) },
#define ON_WM_CREATE() PVFX_ON_WM(WM_CREATE, AfxSig_is, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_PAINT() PVFX_ON_WM(WM_PAINT, AfxSig_vv, void (CWnd::*)(), OnPaint)
#define ON_WM_TIMER() PVFX_ON_WM(WM_TIMER, AfxSig_vTimer, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_LBUTTONDOWN() PVFX_ON_WM(WM_LBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONDBLCLK() PVFX_ON_WM(WM_LBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_MOUSEMOVE() PVFX_ON_WM(WM_MOUSEMOVE, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_SETCURSOR() PVFX_ON_WM(WM_SETCURSOR, AfxSig_bWww, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
// One entry answers all WM_CTLCOLORxxx messages; nCtlColor is CTLCOLOR_BTN etc.
#define ON_WM_CTLCOLOR() PVFX_ON_WM(WM_CTLCOLOR, AfxSig_hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_ERASEBKGND() PVFX_ON_WM(WM_ERASEBKGND, AfxSig_bD, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_DESTROY() PVFX_ON_WM(WM_DESTROY, AfxSig_vv, void (CWnd::*)(), OnDestroy)
#define ON_WM_SYSCOMMAND() PVFX_ON_WM(WM_SYSCOMMAND, AfxSig_vwl, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_QUERYDRAGICON() PVFX_ON_WM(WM_QUERYDRAGICON, AfxSig_hv, HCURSOR (CWnd::*)(), OnQueryDragIcon)
#define ON_WM_KILLFOCUS() PVFX_ON_WM(WM_KILLFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_SETFOCUS() PVFX_ON_WM(WM_SETFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_ACTIVATE() PVFX_ON_WM(WM_ACTIVATE, AfxSig_vwWb, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_CANCELMODE() PVFX_ON_WM(WM_CANCELMODE, AfxSig_vv, void (CWnd::*)(), OnCancelMode)
#define ON_WM_SYSCOLORCHANGE() PVFX_ON_WM(WM_SYSCOLORCHANGE, AfxSig_vv, void (CWnd::*)(), OnSysColorChange)
#define ON_WM_DRAWITEM() PVFX_ON_WM(WM_DRAWITEM, AfxSig_vOWNER, void (CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_CLOSE() PVFX_ON_WM(WM_CLOSE, AfxSig_vv, void (CWnd::*)(), OnClose)
#define ON_WM_SIZE() PVFX_ON_WM(WM_SIZE, AfxSig_vwii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_KEYDOWN() PVFX_ON_WM(WM_KEYDOWN, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
