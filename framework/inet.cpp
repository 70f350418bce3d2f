// CFile, CStdioFile and the WinINet download classes. No exceptions: failures
// are return values with the reason in GetLastError().
#include "framework/internal.h"
#include "framework/afxinet.h"
#include "base/file_size.h"

// ---- files -------------------------------------------------------------------------

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) { Open(lpszFileName, nOpenFlags); }

CFile::~CFile() {
    if (m_hFile != INVALID_HANDLE_VALUE) ::CloseHandle(m_hFile);
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    Close();
    DWORD access = 0;
    switch (nOpenFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
    }
    DWORD share = 0;
    switch (nOpenFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;  // shareExclusive, shareCompat
    }
    DWORD creation = OPEN_EXISTING;
    if (nOpenFlags & modeCreate) creation = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    SECURITY_ATTRIBUTES sa = { sizeof(sa), nullptr, (nOpenFlags & modeNoInherit) ? FALSE : TRUE };
    HANDLE h = ::CreateFileA(lpszFileName, access, share, &sa, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        if (pError != nullptr) {
            pError->m_lOsError = static_cast<LONG>(error);
            pError->m_cause = error == ERROR_FILE_NOT_FOUND ? CFileException::fileNotFound
                              : error == ERROR_PATH_NOT_FOUND ? CFileException::badPath
                              : error == ERROR_ACCESS_DENIED ? CFileException::accessDenied
                              : error == ERROR_SHARING_VIOLATION ? CFileException::sharingViolation
                                                                 : CFileException::genericException;
        }
        ::SetLastError(error);
        return FALSE;
    }
    m_hFile = h;
    m_strFileName = lpszFileName;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
    DWORD read = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &read, nullptr)) return 0;
    return read;
}

BOOL CFile::Write(const void* lpBuf, UINT nCount) {
    DWORD written = 0;
    return ::WriteFile(m_hFile, lpBuf, nCount, &written, nullptr) && written == nCount;
}

void CFile::Close() {
    if (m_hFile != INVALID_HANDLE_VALUE) ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

LONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
    DWORD method = nFrom == begin ? FILE_BEGIN : (nFrom == current ? FILE_CURRENT : FILE_END);
    uint64_t position = 0;
    if (!base::SeekFile(m_hFile, lOff, method, &position)) return -1;
    return static_cast<LONGLONG>(position);
}

ULONGLONG CFile::GetLength() const {
    uint64_t size = 0;
    return base::GetFileLength(m_hFile, &size) ? size : 0;
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    m_bText = !(nOpenFlags & typeBinary);
    return CFile::Open(lpszFileName, nOpenFlags, pError);
}

BOOL CStdioFile::ReadString(CString& rString) {
    // Byte by byte through the virtual Read, so internet files share it.
    rString.Empty();
    char ch;
    bool any = false;
    while (Read(&ch, 1) == 1) {
        any = true;
        if (ch == '\n') break;
        rString += ch;
    }
    if (rString.GetLength() > 0 && rString[rString.GetLength() - 1] == '\r') rString = rString.Left(rString.GetLength() - 1);
    return any;
}

void CStdioFile::WriteString(LPCTSTR lpsz) {
    if (!m_bText) {
        Write(lpsz, static_cast<UINT>(lstrlenA(lpsz)));
        return;
    }
    CString text(lpsz);
    text.Replace("\n", "\r\n");
    Write(static_cast<LPCTSTR>(text), static_cast<UINT>(text.GetLength()));
}

// ---- internet ------------------------------------------------------------------------------

CInternetFile::CInternetFile(HINTERNET hFile, LPCTSTR url) : m_hFile(hFile) {
    m_strFileName = url;
    m_bText = FALSE;
}

CInternetFile::~CInternetFile() { Close(); }

UINT CInternetFile::Read(void* lpBuf, UINT nCount) {
    DWORD read = 0;
    if (!::InternetReadFile(m_hFile, lpBuf, nCount, &read)) return 0;
    return read;
}

BOOL CInternetFile::Write(const void* lpBuf, UINT nCount) {
    DWORD written = 0;
    return ::InternetWriteFile(m_hFile, lpBuf, nCount, &written) && written == nCount;
}

BOOL CInternetFile::ReadString(CString& rString) { return CStdioFile::ReadString(rString); }

void CInternetFile::Close() {
    if (m_hFile != nullptr) ::InternetCloseHandle(m_hFile);
    m_hFile = nullptr;
}

BOOL CHttpFile::QueryInfoStatusCode(DWORD& dwStatusCode) const {
    DWORD length = sizeof(dwStatusCode);
    return ::HttpQueryInfoA(m_hFile, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &dwStatusCode, &length,
                            nullptr);
}

BOOL CHttpFile::QueryInfo(DWORD dwInfoLevel, LPVOID lpvBuffer, LPDWORD lpdwBufferLength, LPDWORD lpdwIndex) const {
    return ::HttpQueryInfoA(m_hFile, dwInfoLevel, lpvBuffer, lpdwBufferLength, lpdwIndex);
}

BOOL CHttpFile::QueryInfo(DWORD dwInfoLevel, CString& str, LPDWORD lpdwIndex) const {
    str.Empty();
    DWORD length = 0;
    DWORD index = lpdwIndex ? *lpdwIndex : 0;
    if (::HttpQueryInfoA(m_hFile, dwInfoLevel, nullptr, &length, &index)) return TRUE;  // empty value
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return FALSE;
    index = lpdwIndex ? *lpdwIndex : 0;
    BOOL ok = ::HttpQueryInfoA(m_hFile, dwInfoLevel, str.GetBuffer(static_cast<int>(length)), &length, &index);
    str.ReleaseBuffer(ok ? static_cast<int>(length) : 0);
    if (ok && lpdwIndex) *lpdwIndex = index;
    return ok;
}

CInternetSession::CInternetSession(LPCTSTR pstrAgent, DWORD_PTR dwContext, DWORD dwAccessType, LPCTSTR pstrProxyName,
                                   LPCTSTR pstrProxyBypass, DWORD dwFlags)
    : m_dwContext(dwContext) {
    m_hSession = ::InternetOpenA(pstrAgent ? pstrAgent : AfxGetAppName(), dwAccessType, pstrProxyName,
                                 pstrProxyBypass, dwFlags);
}

CInternetSession::~CInternetSession() { Close(); }

void CInternetSession::Close() {
    if (m_hSession != nullptr) ::InternetCloseHandle(m_hSession);
    m_hSession = nullptr;
}

CStdioFile* CInternetSession::OpenURL(LPCTSTR pstrURL, DWORD_PTR dwContext, DWORD dwFlags, LPCTSTR pstrHeaders,
                                      DWORD dwHeadersLength) {
    if (m_hSession == nullptr) {
        ::SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
        return nullptr;
    }
    URL_COMPONENTSA parts = {};
    parts.dwStructSize = sizeof(parts);
    parts.dwSchemeLength = 1;  // only the scheme number is wanted
    if (!::InternetCrackUrlA(pstrURL, 0, 0, &parts)) return nullptr;
    bool http = parts.nScheme == INTERNET_SCHEME_HTTP || parts.nScheme == INTERNET_SCHEME_HTTPS;
    if (!http && parts.nScheme != INTERNET_SCHEME_FTP) {
        ::SetLastError(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
        return nullptr;
    }
    if (pstrHeaders != nullptr && dwHeadersLength == 0) dwHeadersLength = static_cast<DWORD>(-1);
    HINTERNET hFile = ::InternetOpenUrlA(m_hSession, pstrURL, pstrHeaders, dwHeadersLength, dwFlags, dwContext);
    if (hFile == nullptr) return nullptr;
    if (http) return new CHttpFile(hFile, pstrURL);
    return new CInternetFile(hFile, pstrURL);
}
