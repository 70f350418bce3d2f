#include "ext_view.h"
#include "../resource.h"

static AFX_EXTENSION_MODULE g_extModule = { FALSE, NULL, NULL };

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_extModule, hInstance)) return FALSE;
        new CDynLinkLibrary(g_extModule);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_extModule);
    }
    return TRUE;
}

IMPLEMENT_DYNCREATE(CExtView, CFormView)

BEGIN_MESSAGE_MAP(CExtView, CFormView)
    ON_BN_CLICKED(IDC_EXT_BUTTON, OnExtButton)
END_MESSAGE_MAP()

int CExtView::s_live = 0;

CExtView::CExtView() : CFormView(IDD_EXT_FORM) { ++s_live; }
CExtView::~CExtView() { --s_live; }
void CExtView::OnExtButton() { ++m_clicks; }
