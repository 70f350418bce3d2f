// CString: an 8-bit text in the ANSI code page (949 on the target machines).
// Positions and lengths count bytes, as in MFC's multibyte build; searching
// steps over two-byte characters, so a trail byte is never matched on its own.
#pragma once
#include "framework/pvfxapi.h"
#include <cstring>
#include <string>

class PVFX_API CString {
public:
    CString() = default;
    CString(const CString& s) = default;
    CString(CString&& s) noexcept = default;
    // A NULL text gives an empty string; MAKEINTRESOURCE(id) loads string id.
    CString(LPCTSTR psz);
    CString(LPCTSTR pch, int nLength);
    CString& operator=(const CString& s) = default;
    CString& operator=(CString&& s) noexcept = default;
    CString& operator=(LPCTSTR psz);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    TCHAR GetAt(int nIndex) const { return m_str[nIndex]; }
    operator LPCTSTR() const { return m_str.c_str(); }

    CString& operator+=(LPCTSTR psz) { if (psz) m_str += psz; return *this; }

    // Byte index of the first match at a character boundary, or -1.
    int Find(TCHAR ch) const;

    // printf-style formatting with the C runtime's (msvcrt) rules. Pass
    // CString arguments as (LPCTSTR)s.
    void Format(LPCTSTR pszFormat, ...) __attribute__((format(ms_printf, 2, 3)));

    // Loads string nID from the executable, then the extension modules.
    // Returns FALSE and leaves the string empty when no module has it.
    BOOL LoadString(UINT nID);

private:
    std::string m_str;
};

PVFX_API CString operator+(const CString& a, const CString& b);
PVFX_API CString operator+(const CString& a, LPCTSTR b);
PVFX_API CString operator+(LPCTSTR a, const CString& b);

inline bool operator==(const CString& a, LPCTSTR b) { return std::strcmp(a, b) == 0; }
inline bool operator!=(const CString& a, LPCTSTR b) { return std::strcmp(a, b) != 0; }
