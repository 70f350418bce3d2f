// Framework internals shared by its source files; not part of the interface.
#pragma once
#include "framework/afxwin.h"
#include <map>
#include <string>
#include <typeindex>
#include <utility>

// How a temporary wrapper takes and gives up its handle (no binding, no
// ownership). Defined beside each wrapped type.
void PvfxSetTempHandle(CWnd* p, HWND h);
void PvfxSetTempHandle(CDC* p, HDC h);
void PvfxSetTempHandle(CGdiObject* p, HGDIOBJ h);

// Temporary wrappers made by FromHandle, keyed by handle and wrapper type.
// They own nothing: clearing takes the handle away before deleting each.
class PvfxTempMap {
public:
    PvfxTempMap() = default;
    PvfxTempMap(const PvfxTempMap&) = delete;
    PvfxTempMap& operator=(const PvfxTempMap&) = delete;
    ~PvfxTempMap() { Clear(); }

    // The wrapper of type T for handle h, made on first use.
    template <class T, class Handle>
    T* Get(Handle h) {
        Key key(reinterpret_cast<const void*>(h), std::type_index(typeid(T)));
        auto it = m_map.find(key);
        if (it != m_map.end()) return static_cast<T*>(it->second.object);
        T* object = new T;
        PvfxSetTempHandle(object, h);
        m_map.emplace(key, Entry{object, &Release<T, Handle>});
        return object;
    }
    void Clear() {
        auto map = std::move(m_map);
        m_map.clear();
        for (auto& kv : map) kv.second.release(kv.second.object);
    }

private:
    template <class T, class Handle>
    static void Release(CObject* o) {
        T* t = static_cast<T*>(o);
        PvfxSetTempHandle(t, Handle());
        delete t;
    }
    using Key = std::pair<const void*, std::type_index>;
    struct Entry {
        CObject* object;
        void (*release)(CObject*);
    };
    std::map<Key, Entry> m_map;
};

struct PvfxThreadState {
    CWnd* pWndInit = nullptr;      // object to bind to the next window created
    HHOOK hHookCbt = nullptr;      // creation hook while pWndInit may be pending
    int nHookDepth = 0;
    MSG lastSentMsg = {};          // the message AfxWndProc is handling (for Default)
    CWinThread* pThread = nullptr; // this thread's CWinThread, if any
    PvfxTempMap temps;
};

// The calling thread's state, made on first use, freed at thread exit.
PvfxThreadState* PvfxGetThreadState();
HINSTANCE PvfxGetFrameworkModule();

// Binding of windows to CWnd objects (wnd.cpp).
extern const char kPvfxWndProp[];
void PvfxHookWindowCreate(CWnd* pWnd);
void PvfxUnhookWindowCreate();
// The one window procedure of every bound window.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// pWnd's window, or NULL through a NULL pointer.
inline HWND PvfxHwnd(const CWnd* pWnd) { return pWnd ? pWnd->m_hWnd : nullptr; }
// The window's whole text (up to a zero byte).
CString PvfxWindowText(HWND hWnd);
// A new object of pClass, or NULL when there is no class or it is not DYNCREATE.
CObject* PvfxCreateObject(const CRuntimeClass* pClass);

// The application's title (see CWinApp): a message box without a caption
// carries it.
LPCTSTR AfxGetAppName();
// The executable's module (the application's instance handle).
HINSTANCE AfxGetInstanceHandle();
// The calling thread's CWinThread, or NULL on a thread the framework did not start.
CWinThread* AfxGetThread();

// Window classes of the framework, registered on first use (global classes).
LPCSTR PvfxDefaultWndClass();        // plain child windows
LPCSTR PvfxFrameOrViewClass();       // frames and views: window-colour background

// The dispatcher's view of one message or command (msgmap.cpp).
struct PvfxCall {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    UINT nCtlColor = 0;            // CTLCOLOR_* for WM_CTLCOLOR entries
    AFX_NOTIFY* pNotify = nullptr; // WM_NOTIFY data
};
const AFX_MSGMAP_ENTRY* PvfxFindEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID);
BOOL PvfxDispatchEntry(CCmdTarget* pTarget, const AFX_MSGMAP_ENTRY* pEntry, const PvfxCall& call,
                       LRESULT* pResult);

// Loads a dialog template through the resource chain. Returns the module
// that holds it (for CreateDialogIndirectParam) or NULL.
HINSTANCE PvfxLoadDialogTemplate(LPCTSTR lpszTemplateName, LPCDLGTEMPLATE* ppTemplate);
// The dialog procedure of every framework dialog: only WM_INITDIALOG.
INT_PTR CALLBACK PvfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Offers pMsg to PreTranslateMessage of each bound window from its target up
// to hWndStop (inclusive). TRUE when one of them took it.
BOOL PvfxWalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
// Pumps messages until *pbDone becomes TRUE (or WM_QUIT, which is posted
// again for the outer loop); frees temporaries whenever the queue is empty.
void PvfxRunModalLoop(HWND hWndStop, const BOOL* pbDone);
