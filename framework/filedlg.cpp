// CFileDialog: the system's open and save dialogs.
#include "framework/internal.h"
#include "framework/afxdlgs.h"

#include <string.h>

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace {

// Byte offset of the last component of path: after the last '\', '/' or ':'.
size_t NameStart(const char* path) {
    size_t start = 0;
    for (size_t i = 0; path[i] != '\0';) {
        if (::IsDBCSLeadByte(static_cast<BYTE>(path[i])) && path[i + 1] != '\0') {
            i += 2;
            continue;
        }
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':') start = i + 1;
        ++i;
    }
    return start;
}

// Byte offset of the dot that starts name's extension, or its length when
// it has none.
size_t ExtensionDot(const char* name) {
    size_t dot = strlen(name);
    for (size_t i = 0; name[i] != '\0';) {
        if (::IsDBCSLeadByte(static_cast<BYTE>(name[i])) && name[i + 1] != '\0') {
            i += 2;
            continue;
        }
        if (name[i] == '.') dot = i;
        ++i;
    }
    return dot;
}

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog) {
    m_pParentWnd = pParentWnd;
    memset(&m_ofn, 0, sizeof m_ofn);
    m_szFileName[0] = '\0';
    if (lpszFileName != nullptr) lstrcpynA(m_szFileName, lpszFileName, sizeof m_szFileName);

    // The size every system from the 9x family on accepts.
    m_ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    m_ofn.hInstance = AfxGetInstanceHandle();
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    if (lpszDefExt != nullptr) {
        m_defExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_defExt.c_str();
    }
    if (lpszFilter != nullptr) {
        // Every '|' becomes a '\0'; the trailing "||" gives the closing "\0\0".
        m_filter = lpszFilter;
        for (size_t i = 0; i < m_filter.size(); ++i) {
            if (::IsDBCSLeadByte(static_cast<BYTE>(m_filter[i])) && i + 1 < m_filter.size()) ++i;
            else if (m_filter[i] == '|') m_filter[i] = '\0';
        }
        m_ofn.lpstrFilter = m_filter.c_str();
    }
}

INT_PTR CFileDialog::DoModal() {
    if (m_ofn.hwndOwner == nullptr) {
        CWnd* pOwner = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
        HWND hOwner = pOwner != nullptr ? pOwner->m_hWnd : nullptr;
        // A child would be disabled alone; the system dialog belongs to its window.
        m_ofn.hwndOwner = hOwner != nullptr ? ::GetAncestor(hOwner, GA_ROOT) : nullptr;
    }
    const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const { return CString(m_szFileName); }

CString CFileDialog::GetFileExt() const {
    const char* name = m_szFileName + NameStart(m_szFileName);
    const size_t dot = ExtensionDot(name);
    return name[dot] == '.' ? CString(name + dot + 1) : CString();
}
