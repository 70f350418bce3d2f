// The application object: start-up of the main program.
#pragma once
#include "framework/afxwin.h"

class CPurvexApp : public CWinApp {
public:
    CPurvexApp();

    // Sockets, OLE, the single-instance check and the document template, in
    // that order. A second instance shows the running window and ends the
    // process at once with exit code 1.
    BOOL InitInstance() override;
};
