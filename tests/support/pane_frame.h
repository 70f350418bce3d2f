// A frame with the shell's page pane, for hosting a page in a test as the
// shell hosts it: the page in pane (0, 1) of a splitter, swapped by the
// shell's own PagePane (app/page_pane.h), so that a page that rebuilds itself
// is rebuilt as in the program; a blank pane where the page-button column
// stands, and neither banner nor start-up.
#pragma once
#include "tests/support/page_host.h"

namespace pvtest {

// The frame for PageHost; the page is found in its pane again after it
// rebuilt itself.
PageFrame PaneFrame();

}  // namespace pvtest
