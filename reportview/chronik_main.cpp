// Chronik.dll is an extension library of the window framework: while it is
// loaded, its resources are part of the program's resource chain.
#include "framework/afxwin.h"

static AFX_EXTENSION_MODULE ChronikDLL = {FALSE, nullptr, nullptr};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(ChronikDLL, hInstance)) return FALSE;
        new CDynLinkLibrary(ChronikDLL);  // owned by the framework until AfxTermExtensionModule
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(ChronikDLL);
    }
    return TRUE;
}
