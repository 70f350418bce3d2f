// The system's common dialogs: CFileDialog over GetOpenFileName and
// GetSaveFileName.
#pragma once
#include "framework/afxdlg.h"
#include <commdlg.h>

#include <string>

class PVFX_API CFileDialog : public CDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszDefExt: appended by the system (without its dot) to a name typed
    // without an extension; NULL appends nothing. lpszFileName: the name the
    // dialog starts with. lpszFilter: pairs of description and pattern, each
    // ended by '|', the whole ended by a second '|' ("Text (*.txt)|*.txt||").
    // pParentWnd: the owner, disabled while the dialog runs (NULL: the main
    // window). OFN_EXPLORER is always added.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                         CWnd* pParentWnd = NULL);

    // IDOK when the user chose a file, IDCANCEL when the dialog was cancelled
    // or could not be shown (CommDlgExtendedError then tells why; a name
    // longer than the buffer is such a failure). The system dialog may change
    // the current directory unless m_ofn.Flags holds OFN_NOCHANGEDIR.
    INT_PTR DoModal() override;

    // The chosen file, after IDOK: the whole path, and its last component's
    // extension without the dot ("" when it has none). Multibyte characters
    // are stepped over whole, so a trail byte is never taken for '\' or '.'.
    CString GetPathName() const;
    CString GetFileExt() const;

    // Filled by the constructor; callers may adjust it before DoModal.
    OPENFILENAMEA m_ofn;

private:
    BOOL m_bOpenFileDialog;
    std::string m_filter;  // the filter with '\0' separators, as the system takes it
    std::string m_defExt;
    char m_szFileName[MAX_PATH];
};
