// Export macro and the Win32 headers every framework header needs.
// PvFrame.dll is built with PVFX_BUILD defined; every other module imports.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <tchar.h>

#ifdef PVFX_BUILD
#define PVFX_API __declspec(dllexport)
#else
#define PVFX_API __declspec(dllimport)
#endif

#ifndef afx_msg
#define afx_msg  // marks message handlers, as a reader expects
#endif
#ifndef AFXAPI
#define AFXAPI __stdcall
#endif
