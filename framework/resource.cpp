// The resource chain: the executable first, then the extension modules.
#include "framework/internal.h"
#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

namespace {

// In the order they were made; changed only from DllMain of the extension
// modules (under the loader lock).
std::vector<CDynLinkLibrary*>& Libraries() {
    static std::vector<CDynLinkLibrary*> libraries;
    return libraries;
}

}  // namespace

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType) {
    HINSTANCE hFirst = AfxGetInstanceHandle();
    if (::FindResourceA(hFirst, lpszName, lpszType) != nullptr) return hFirst;
    for (CDynLinkLibrary* pLibrary : Libraries())
        if (::FindResourceA(pLibrary->m_hResource, lpszName, lpszType) != nullptr) return pLibrary->m_hResource;
    return nullptr;
}

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
    state.hModule = hModule;
    state.hResource = hModule;
    state.bInitialized = TRUE;
    return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state) {
    std::vector<CDynLinkLibrary*> mine;
    for (CDynLinkLibrary* p : Libraries())
        if (p->m_hModule == state.hModule) mine.push_back(p);
    for (CDynLinkLibrary* p : mine) delete p;
    state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state)
    : m_hModule(state.hModule), m_hResource(state.hResource) {
    Libraries().push_back(this);
}

CDynLinkLibrary::~CDynLinkLibrary() {
    auto& libraries = Libraries();
    libraries.erase(std::remove(libraries.begin(), libraries.end(), this), libraries.end());
}
