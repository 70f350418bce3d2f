#include "app/clean/clean_frame.h"

namespace clean {

CMainFrame* MainFrame() {
    CWnd* main = AfxGetMainWnd();
    return main != nullptr && main->IsKindOf(RUNTIME_CLASS(CMainFrame)) ? static_cast<CMainFrame*>(main) : nullptr;
}

}  // namespace clean
