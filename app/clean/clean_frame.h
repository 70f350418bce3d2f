// How the cleaning page and its tabs find each other: through the main
// frame's registration pointers.
#pragma once
#include "app/main_frame.h"

namespace clean {

// The main frame that keeps the registration pointers: the application's main
// window when it is the shell's frame (any thread may ask). NULL when the
// main window is something else, e.g. a bare test frame: a page hosted there
// registers nowhere and reaches no other tab.
CMainFrame* MainFrame();

}  // namespace clean
