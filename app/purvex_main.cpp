// The one application object of Purvex.exe; the framework's WinMain runs it.
#include "app/purvex_app.h"

CPurvexApp theApp;
