// NKShellAPI.dll: the shell helpers the cleaning page uses. CShellExt lists
// the items of the recycle bin through the shell namespace.
#pragma once
#include <windows.h>

#include "framework/afxcoll.h"
#include "framework/afxstr.h"

#ifdef NKSHELLAPI_BUILD
#define NKSHELLAPI_API __declspec(dllexport)
#else
#define NKSHELLAPI_API __declspec(dllimport)
#endif

// One item of a shell folder: its display name, its shell attributes
// (SFGAO_ flags) and the low 32 bits of its size in bytes (0 when the folder
// does not tell).
struct tagFOLDERITEM {
    CString strName;
    DWORD dwAttributes = 0;
    DWORD dwSize = 0;
};

class NKSHELLAPI_API CShellExt {
public:
    CShellExt();
    virtual ~CShellExt();

    // Reads the recycle bin (of every drive, as the shell shows it) afresh and
    // returns its items. The list belongs to this object: it stays valid, and
    // unchanged, until the next call or the object's end. An empty bin, or one
    // the shell cannot open, gives an empty list.
    const CList<tagFOLDERITEM, tagFOLDERITEM&>* GetRecycleBinItems();

private:
    CShellExt(const CShellExt&) = delete;
    CShellExt& operator=(const CShellExt&) = delete;

    CList<tagFOLDERITEM, tagFOLDERITEM&> m_items;
};
