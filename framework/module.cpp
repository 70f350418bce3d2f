// The DLL's entry point and per-thread state.
#include "framework/internal.h"

namespace {

HINSTANCE g_hFrameworkModule = nullptr;
DWORD g_tlsIndex = TLS_OUT_OF_INDEXES;

void FreeThreadState() {
    if (g_tlsIndex == TLS_OUT_OF_INDEXES) return;
    auto* state = static_cast<PvfxThreadState*>(::TlsGetValue(g_tlsIndex));
    if (state == nullptr) return;
    ::TlsSetValue(g_tlsIndex, nullptr);
    delete state;
}

}  // namespace

PvfxThreadState* PvfxGetThreadState() {
    auto* state = static_cast<PvfxThreadState*>(::TlsGetValue(g_tlsIndex));
    if (state == nullptr) {
        state = new PvfxThreadState;
        ::TlsSetValue(g_tlsIndex, state);
    }
    return state;
}

HINSTANCE PvfxGetFrameworkModule() { return g_hFrameworkModule; }

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved) {
    switch (dwReason) {
    case DLL_PROCESS_ATTACH:
        g_hFrameworkModule = hInstance;
        g_tlsIndex = ::TlsAlloc();
        return g_tlsIndex != TLS_OUT_OF_INDEXES;
    case DLL_THREAD_DETACH:
        FreeThreadState();
        break;
    case DLL_PROCESS_DETACH:
        // At process exit (lpReserved != NULL) other threads' states are left
        // to the system; only a FreeLibrary cleans up the calling thread's.
        if (lpReserved == nullptr) {
            FreeThreadState();
            ::TlsFree(g_tlsIndex);
        }
        break;
    }
    return TRUE;
}
