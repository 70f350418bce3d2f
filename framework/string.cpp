// CString. Positions count bytes; scanning steps over two-byte characters of
// the ANSI code page so that a trail byte is never taken for a character.
#include "framework/afxwin.h"
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// Length in bytes of the character starting at s[i].
int CharLen(const std::string& s, size_t i) {
    return (::IsDBCSLeadByte(static_cast<BYTE>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

}  // namespace

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

CString::CString(TCHAR ch, int nRepeat) {
    if (nRepeat > 0) m_str.assign(nRepeat, ch);
}

CString& CString::operator=(LPCTSTR psz) {
    if (psz == nullptr) m_str.clear(); else m_str = psz;
    return *this;
}

CString& CString::operator=(TCHAR ch) {
    m_str.assign(1, ch);
    return *this;
}

int CString::Compare(LPCTSTR psz) const {
    int r = std::strcmp(m_str.c_str(), psz ? psz : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(LPCTSTR psz) const {
    CString a(*this), b(psz);
    a.MakeLower();
    b.MakeLower();
    return a.Compare(b);
}

CString CString::Left(int nCount) const {
    return CString(m_str.c_str(), Clamp(nCount, 0, GetLength()));
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Mid(int nFirst, int nCount) const {
    nFirst = Clamp(nFirst, 0, GetLength());
    nCount = Clamp(nCount, 0, GetLength() - nFirst);
    return CString(m_str.c_str() + nFirst, nCount);
}

CString CString::Right(int nCount) const {
    nCount = Clamp(nCount, 0, GetLength());
    return CString(m_str.c_str() + GetLength() - nCount, nCount);
}

void CString::MakeUpper() {
    for (size_t i = 0; i < m_str.size(); i += CharLen(m_str, i))
        if (m_str[i] >= 'a' && m_str[i] <= 'z' && CharLen(m_str, i) == 1) m_str[i] = m_str[i] - 'a' + 'A';
}

void CString::MakeLower() {
    for (size_t i = 0; i < m_str.size(); i += CharLen(m_str, i))
        if (m_str[i] >= 'A' && m_str[i] <= 'Z' && CharLen(m_str, i) == 1) m_str[i] = m_str[i] - 'A' + 'a';
}

void CString::MakeReverse() {
    // Reverses characters, keeping each two-byte character in order.
    std::string out;
    for (size_t i = 0; i < m_str.size();) {
        int n = CharLen(m_str, i);
        out.insert(0, m_str, i, n);
        i += n;
    }
    m_str = out;
}

void CString::TrimLeft() {
    size_t i = 0;
    while (i < m_str.size() && (m_str[i] == ' ' || m_str[i] == '\t' || m_str[i] == '\r' || m_str[i] == '\n')) ++i;
    m_str.erase(0, i);
}

void CString::TrimRight() {
    // Whitespace bytes are never trail bytes in code page 949 (trail >= 0x41).
    size_t n = m_str.size();
    while (n > 0 && (m_str[n - 1] == ' ' || m_str[n - 1] == '\t' || m_str[n - 1] == '\r' || m_str[n - 1] == '\n')) --n;
    m_str.resize(n);
}

void CString::TrimLeft(TCHAR chTarget) {
    size_t i = 0;
    while (i < m_str.size() && m_str[i] == chTarget) i += CharLen(m_str, i);
    m_str.erase(0, i);
}

void CString::TrimRight(TCHAR chTarget) {
    // Walk forward to find where the trailing run of chTarget characters starts.
    size_t keep = 0;
    for (size_t i = 0; i < m_str.size();) {
        int n = CharLen(m_str, i);
        if (!(n == 1 && m_str[i] == chTarget)) keep = i + n;
        i += n;
    }
    m_str.resize(keep);
}

int CString::Find(TCHAR ch) const { return Find(ch, 0); }

int CString::Find(TCHAR ch, int nStart) const {
    for (size_t i = 0; i < m_str.size(); i += CharLen(m_str, i))
        if (static_cast<int>(i) >= nStart && m_str[i] == ch) return static_cast<int>(i);
    return -1;
}

int CString::Find(LPCTSTR pszSub) const { return Find(pszSub, 0); }

int CString::Find(LPCTSTR pszSub, int nStart) const {
    if (pszSub == nullptr) return -1;
    size_t subLen = std::strlen(pszSub);
    for (size_t i = 0;; i += CharLen(m_str, i)) {
        if (static_cast<int>(i) >= nStart && m_str.compare(i, subLen, pszSub) == 0) return static_cast<int>(i);
        if (i >= m_str.size()) return -1;
    }
}

int CString::ReverseFind(TCHAR ch) const {
    int found = -1;
    for (size_t i = 0; i < m_str.size(); i += CharLen(m_str, i))
        if (m_str[i] == ch) found = static_cast<int>(i);
    return found;
}

int CString::FindOneOf(LPCTSTR pszCharSet) const {
    for (size_t i = 0; i < m_str.size(); i += CharLen(m_str, i))
        if (CharLen(m_str, i) == 1 && std::strchr(pszCharSet, m_str[i]) != nullptr) return static_cast<int>(i);
    return -1;
}

int CString::Replace(TCHAR chOld, TCHAR chNew) {
    int count = 0;
    for (size_t i = 0; i < m_str.size(); i += CharLen(m_str, i))
        if (m_str[i] == chOld) { m_str[i] = chNew; ++count; }
    return count;
}

int CString::Replace(LPCTSTR pszOld, LPCTSTR pszNew) {
    if (pszOld == nullptr || *pszOld == '\0') return 0;
    std::string replacement = pszNew ? pszNew : "";
    size_t oldLen = std::strlen(pszOld);
    std::string out;
    int count = 0;
    for (size_t i = 0; i < m_str.size();) {
        if (m_str.compare(i, oldLen, pszOld) == 0) {
            out += replacement;
            i += oldLen;
            ++count;
        } else {
            int n = CharLen(m_str, i);
            out.append(m_str, i, n);
            i += n;
        }
    }
    m_str = out;
    return count;
}

int CString::Remove(TCHAR ch) {
    std::string out;
    int count = 0;
    for (size_t i = 0; i < m_str.size();) {
        int n = CharLen(m_str, i);
        if (n == 1 && m_str[i] == ch) ++count; else out.append(m_str, i, n);
        i += n;
    }
    m_str = out;
    return count;
}

int CString::Insert(int nIndex, TCHAR ch) {
    m_str.insert(static_cast<size_t>(Clamp(nIndex, 0, GetLength())), 1, ch);
    return GetLength();
}

int CString::Insert(int nIndex, LPCTSTR psz) {
    if (psz) m_str.insert(static_cast<size_t>(Clamp(nIndex, 0, GetLength())), psz);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
    if (nIndex >= 0 && nIndex < GetLength() && nCount > 0) m_str.erase(nIndex, nCount);
    return GetLength();
}

void CString::FormatV(LPCTSTR pszFormat, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int length = ::_vscprintf(pszFormat, copy);
    va_end(copy);
    if (length < 0) { m_str.clear(); return; }
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    ::_vsnprintf(&buffer[0], buffer.size(), pszFormat, args);
    buffer.resize(length);
    m_str = buffer;
}

void CString::Format(LPCTSTR pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::Format(UINT nFormatID, ...) {
    CString format;
    format.LoadString(nFormatID);
    va_list args;
    va_start(args, nFormatID);
    FormatV(format, args);
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

LPTSTR CString::GetBuffer(int nMinBufLength) {
    if (nMinBufLength > GetLength()) m_str.resize(nMinBufLength);
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0) nNewLength = static_cast<int>(std::strlen(m_str.c_str()));
    m_str.resize(Clamp(nNewLength, 0, GetLength()));
}

LPTSTR CString::GetBufferSetLength(int nNewLength) {
    m_str.resize(nNewLength < 0 ? 0 : nNewLength);
    return &m_str[0];
}

CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, LPCTSTR b) { CString r(a); r += b; return r; }
CString operator+(LPCTSTR a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, TCHAR b) { CString r(a); r += b; return r; }
CString operator+(TCHAR a, const CString& b) { CString r(a); r += b; return r; }
