// The updater's application object: runs the one dialog and ends with it.
#pragma once
#include "framework/afxwin.h"

class CFreshenApp : public CWinApp {
public:
    CFreshenApp();
    BOOL InitInstance() override;
};
