// AfxOleInit and AfxEnableControlContainer live in afxapp.h; this header
// exists for the usual include.
#pragma once
#include "framework/afxwin.h"
