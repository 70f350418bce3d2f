// Every public header compiles on its own.
#include "framework/afxwin.h"
#include "framework/afxcmn.h"
#include "framework/afxext.h"
#include "framework/afxinet.h"
