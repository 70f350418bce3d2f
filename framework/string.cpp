// CString. Positions count bytes; scanning steps over two-byte characters of
// the ANSI code page so that a trail byte is never taken for a character.
#include "framework/afxwin.h"
#include <cstdarg>
#include <cstdio>

CString::CString(LPCTSTR psz) {
    if (psz == nullptr) return;
    if (IS_INTRESOURCE(psz)) {
        LoadString(static_cast<UINT>(reinterpret_cast<UINT_PTR>(psz)));
        return;
    }
    m_str = psz;
}

CString::CString(LPCTSTR pch, int nLength) {
    if (pch && nLength > 0) m_str.assign(pch, nLength);
}

CString& CString::operator=(LPCTSTR psz) {
    if (psz == nullptr) m_str.clear(); else m_str = psz;
    return *this;
}

int CString::Find(TCHAR ch) const {
    for (size_t i = 0; i < m_str.size(); ++i) {
        if (m_str[i] == ch) return static_cast<int>(i);
        if (::IsDBCSLeadByte(static_cast<BYTE>(m_str[i])) && i + 1 < m_str.size()) ++i;
    }
    return -1;
}

void CString::Format(LPCTSTR pszFormat, ...) {
    va_list args, copy;
    va_start(args, pszFormat);
    va_copy(copy, args);
    int length = ::_vscprintf(pszFormat, copy);
    va_end(copy);
    m_str.clear();
    if (length >= 0) {
        m_str.resize(static_cast<size_t>(length) + 1);
        ::_vsnprintf(&m_str[0], m_str.size(), pszFormat, args);
        m_str.resize(length);
    }
    va_end(args);
}

BOOL CString::LoadString(UINT nID) {
    m_str.clear();
    HINSTANCE hModule = AfxFindResourceHandle(MAKEINTRESOURCE((nID >> 4) + 1), RT_STRING);
    if (hModule == nullptr) return FALSE;
    char buffer[1024];
    int length = ::LoadStringA(hModule, nID, buffer, sizeof(buffer));
    if (length <= 0) return FALSE;
    m_str.assign(buffer, length);
    return TRUE;
}

CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, LPCTSTR b) { CString r(a); r += b; return r; }
CString operator+(LPCTSTR a, const CString& b) { CString r(a); r += b; return r; }
