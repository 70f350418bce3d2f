// CString: an 8-bit text in the ANSI code page (949 on the target machines).
// Positions and lengths count bytes, as in MFC's multibyte build; searching
// and case changes step over two-byte characters, so a trail byte is never
// matched or changed on its own.
#pragma once
#include "framework/pvfxapi.h"
#include <string>

class PVFX_API CString {
public:
    CString() = default;
    CString(const CString& s) = default;
    CString(CString&& s) noexcept = default;
    // A NULL text gives an empty string; MAKEINTRESOURCE(id) loads string id.
    CString(LPCTSTR psz);
    CString(LPCTSTR pch, int nLength);
    CString(TCHAR ch, int nRepeat = 1);
    CString& operator=(const CString& s) = default;
    CString& operator=(CString&& s) noexcept = default;
    CString& operator=(LPCTSTR psz);
    CString& operator=(TCHAR ch);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    TCHAR GetAt(int nIndex) const { return m_str[nIndex]; }
    TCHAR operator[](int nIndex) const { return m_str[nIndex]; }
    void SetAt(int nIndex, TCHAR ch) { m_str[nIndex] = ch; }
    operator LPCTSTR() const { return m_str.c_str(); }

    CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
    CString& operator+=(LPCTSTR psz) { if (psz) m_str += psz; return *this; }
    CString& operator+=(TCHAR ch) { m_str += ch; return *this; }

    // Byte-wise comparison (<0, 0, >0); CompareNoCase folds ASCII letters only.
    int Compare(LPCTSTR psz) const;
    int CompareNoCase(LPCTSTR psz) const;

    // Out-of-range counts are clamped, as in MFC.
    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Right(int nCount) const;

    void MakeUpper();
    void MakeLower();
    void MakeReverse();
    void TrimLeft();
    void TrimRight();
    void TrimLeft(TCHAR chTarget);
    void TrimRight(TCHAR chTarget);

    // Byte index of the first match at a character boundary, or -1.
    int Find(TCHAR ch) const;
    int Find(TCHAR ch, int nStart) const;
    int Find(LPCTSTR pszSub) const;
    int Find(LPCTSTR pszSub, int nStart) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR pszCharSet) const;

    int Replace(TCHAR chOld, TCHAR chNew);
    int Replace(LPCTSTR pszOld, LPCTSTR pszNew);
    int Remove(TCHAR ch);
    int Insert(int nIndex, TCHAR ch);
    int Insert(int nIndex, LPCTSTR psz);
    int Delete(int nIndex, int nCount = 1);

    // printf-style formatting with the C runtime's (msvcrt) rules. Pass
    // CString arguments as (LPCTSTR)s.
    void Format(LPCTSTR pszFormat, ...) __attribute__((format(ms_printf, 2, 3)));
    void Format(UINT nFormatID, ...);
    void FormatV(LPCTSTR pszFormat, va_list args);

    // Loads string nID from the executable, then the extension modules.
    // Returns FALSE and leaves the string empty when no module has it.
    BOOL LoadString(UINT nID);

    // A writable buffer of at least nMinBufLength characters plus a zero.
    // ReleaseBuffer(-1) takes the length up to the first zero byte.
    LPTSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPTSTR GetBufferSetLength(int nNewLength);

private:
    std::string m_str;
};

PVFX_API CString operator+(const CString& a, const CString& b);
PVFX_API CString operator+(const CString& a, LPCTSTR b);
PVFX_API CString operator+(LPCTSTR a, const CString& b);
PVFX_API CString operator+(const CString& a, TCHAR b);
PVFX_API CString operator+(TCHAR a, const CString& b);

inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, LPCTSTR b) { return a.Compare(b) == 0; }
inline bool operator==(LPCTSTR a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CString& a, LPCTSTR b) { return a.Compare(b) != 0; }
inline bool operator!=(LPCTSTR a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator<(const CString& a, LPCTSTR b) { return a.Compare(b) < 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
