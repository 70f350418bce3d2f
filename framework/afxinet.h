// Files and HTTP downloads.
//
// Unlike MFC these classes never throw: where MFC throws a CFileException or
// CInternetException, the call here returns FALSE/0/NULL and the reason is
// left in GetLastError() (a WinINet error code such as 12007 for internet
// calls).
#pragma once
#include "framework/afxwin.h"
#include <wininet.h>

class PVFX_API CFileException : public CException {
public:
    enum { none, genericException, fileNotFound, badPath, tooManyOpenFiles, accessDenied,
           invalidFile, removeCurrentDir, directoryFull, badSeek, hardIO, sharingViolation,
           lockViolation, diskFull, endOfFile };
    int m_cause = none;
    LONG m_lOsError = 0;
};

// Declared so that code with catch clauses compiles; never thrown.
class PVFX_API CInternetException : public CException {
public:
    explicit CInternetException(DWORD dwError = 0) : m_dwError(dwError) {}
    DWORD m_dwError;
    DWORD_PTR m_dwContext = 0;
};

// A binary file over a Win32 handle; closes it on destruction.
class PVFX_API CFile : public CObject {
public:
    enum OpenFlags {
        modeRead = 0x0000, modeWrite = 0x0001, modeReadWrite = 0x0002,
        shareCompat = 0x0000, shareExclusive = 0x0010, shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030, shareDenyNone = 0x0040,
        modeNoInherit = 0x0080, modeCreate = 0x1000, modeNoTruncate = 0x2000,
        typeText = 0x4000, typeBinary = 0x8000
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    // Opens like Open; check m_hFile (INVALID_HANDLE_VALUE on failure).
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    HANDLE m_hFile = INVALID_HANDLE_VALUE;

    // modeCreate truncates unless modeNoTruncate. On failure returns FALSE and,
    // if given, fills pError (m_lOsError = GetLastError()).
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
    // Bytes read (0 at the end of the file or on failure).
    virtual UINT Read(void* lpBuf, UINT nCount);
    // FALSE when not all bytes could be written.
    virtual BOOL Write(const void* lpBuf, UINT nCount);
    virtual void Close();
    virtual void Abort() { Close(); }
    LONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return (ULONGLONG)Seek(0, end); }
    ULONGLONG GetLength() const;
    void Flush() { ::FlushFileBuffers(m_hFile); }
    CString GetFilePath() const { return m_strFileName; }

protected:
    CString m_strFileName;
};

// A file read and written as text lines. In typeText mode "\n" is written as
// "\r\n" and "\r\n" read back as "\n".
class PVFX_API CStdioFile : public CFile {
public:
    CStdioFile() = default;
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) : CFile(lpszFileName, nOpenFlags), m_bText(!(nOpenFlags & typeBinary)) {}
    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;
    // One line without its line end; FALSE at the end of the file.
    virtual BOOL ReadString(CString& rString);
    virtual void WriteString(LPCTSTR lpsz);

protected:
    BOOL m_bText = TRUE;
};

class CInternetSession;

// A resource opened with CInternetSession::OpenURL.
class PVFX_API CInternetFile : public CStdioFile {
public:
    ~CInternetFile() override;
    UINT Read(void* lpBuf, UINT nCount) override;  // 0 at the end or on failure
    BOOL Write(const void* lpBuf, UINT nCount) override;
    BOOL ReadString(CString& rString) override;
    void Close() override;
    operator HINTERNET() const { return m_hFile; }
    HINTERNET m_hFile = nullptr;

protected:
    explicit CInternetFile(HINTERNET hFile, LPCTSTR url);
    friend class CInternetSession;
};

class PVFX_API CHttpFile : public CInternetFile {
public:
    // The HTTP status code; FALSE when the server sent none.
    BOOL QueryInfoStatusCode(DWORD& dwStatusCode) const;
    // A header as text (e.g. HTTP_QUERY_CONTENT_LENGTH); FALSE when absent.
    BOOL QueryInfo(DWORD dwInfoLevel, CString& str, LPDWORD lpdwIndex = NULL) const;
    BOOL QueryInfo(DWORD dwInfoLevel, LPVOID lpvBuffer, LPDWORD lpdwBufferLength, LPDWORD lpdwIndex = NULL) const;

protected:
    using CInternetFile::CInternetFile;
    friend class CInternetSession;
};

// One WinINet internet handle, opened with INTERNET_OPEN_TYPE_PRECONFIG (the
// system's proxy settings) unless told otherwise.
class PVFX_API CInternetSession : public CObject {
public:
    explicit CInternetSession(LPCTSTR pstrAgent = NULL, DWORD_PTR dwContext = 1,
                              DWORD dwAccessType = INTERNET_OPEN_TYPE_PRECONFIG,
                              LPCTSTR pstrProxyName = NULL, LPCTSTR pstrProxyBypass = NULL, DWORD dwFlags = 0);
    ~CInternetSession() override;

    // Opens an http:, https: or ftp: address. Returns a new CHttpFile (for
    // http and https) or CInternetFile that the caller deletes, or NULL with
    // GetLastError() set where MFC would throw.
    CStdioFile* OpenURL(LPCTSTR pstrURL, DWORD_PTR dwContext = 1,
                        DWORD dwFlags = INTERNET_FLAG_TRANSFER_ASCII, LPCTSTR pstrHeaders = NULL,
                        DWORD dwHeadersLength = 0);
    void Close();
    operator HINTERNET() const { return m_hSession; }

protected:
    HINTERNET m_hSession = nullptr;
    DWORD_PTR m_dwContext;
};
