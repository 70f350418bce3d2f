// The window framework: MFC's class names and members for the subset this
// program uses, ANSI only. Include this header (and afxcmn.h, afxext.h as
// needed) with the folder: #include "framework/afxwin.h".
#pragma once
#include "framework/pvfxapi.h"
#include "framework/afxobj.h"
#include "framework/afxstr.h"
#include "framework/afxcoll.h"
#include "framework/afxtypes.h"
#include "framework/afxmsg.h"
#include "framework/afxgdi.h"
#include "framework/afxwnd.h"
#include "framework/afxctrl.h"
#include "framework/afxdlg.h"
#include "framework/afxdoc.h"
#include "framework/afxapp.h"
