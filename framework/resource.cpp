// The resource chain: the executable first, then the extension modules.
#include "framework/internal.h"
#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

namespace {

// Changed only from DllMain of the extension modules (under the loader lock).
std::vector<HINSTANCE>& Modules() {
    static std::vector<HINSTANCE> modules;
    return modules;
}

std::vector<CDynLinkLibrary*>& Libraries() {
    static std::vector<CDynLinkLibrary*> libraries;
    return libraries;
}

HINSTANCE g_hResourceOverride = nullptr;

}  // namespace

HINSTANCE AFXAPI AfxGetResourceHandle() {
    return g_hResourceOverride ? g_hResourceOverride : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) { g_hResourceOverride = hInstResource; }

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType) {
    HINSTANCE hFirst = AfxGetResourceHandle();
    if (::FindResourceA(hFirst, lpszName, lpszType) != nullptr) return hFirst;
    for (HINSTANCE hModule : Modules())
        if (::FindResourceA(hModule, lpszName, lpszType) != nullptr) return hModule;
    return nullptr;
}

void AFXAPI AfxRegisterResourceModule(HINSTANCE hModule) {
    auto& modules = Modules();
    if (hModule != nullptr && std::find(modules.begin(), modules.end(), hModule) == modules.end())
        modules.push_back(hModule);
}

void AFXAPI AfxUnregisterResourceModule(HINSTANCE hModule) {
    auto& modules = Modules();
    modules.erase(std::remove(modules.begin(), modules.end(), hModule), modules.end());
}

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
    state.hModule = hModule;
    state.hResource = hModule;
    state.bInitialized = TRUE;
    return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL) {
    std::vector<CDynLinkLibrary*> mine;
    for (CDynLinkLibrary* p : Libraries())
        if (p->m_hModule == state.hModule) mine.push_back(p);
    for (CDynLinkLibrary* p : mine) delete p;
    state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state)
    : m_hModule(state.hModule), m_hResource(state.hResource) {
    AfxRegisterResourceModule(m_hResource);
    Libraries().push_back(this);
}

CDynLinkLibrary::~CDynLinkLibrary() {
    AfxUnregisterResourceModule(m_hResource);
    auto& libraries = Libraries();
    libraries.erase(std::remove(libraries.begin(), libraries.end(), this), libraries.end());
}
