#include "app/page_pane.h"

namespace shell {

namespace {

// The size hint of a page made by a switch: the pane goes on filling the space
// right of the column.
const CSize kSwitchedPageSize(0, 300);

}  // namespace

PagePane::PagePane(CSplitterWnd& splitter, int row, int column) : splitter_(splitter), row_(row), column_(column) {}

BOOL PagePane::CreateFirst(CRuntimeClass* page, SIZE sizeInit, CCreateContext* pContext) {
    if (!splitter_.CreateView(row_, column_, page, sizeInit, pContext)) return FALSE;
    AttachTo(Page());
    return TRUE;
}

CWnd* PagePane::Page() const { return splitter_.GetPane(row_, column_); }

bool PagePane::CanLeave() const {
    const auto* page = dynamic_cast<const shell::Page*>(Page());
    return page == nullptr || page->CanLeave();
}

void PagePane::Show(CRuntimeClass* page) {
    CCreateContext context;
    CFrameWnd* frame = splitter_.GetParentFrame();
    context.m_pCurrentDoc = frame != nullptr ? frame->GetActiveDocument() : nullptr;
    // Destroying the pane deletes the page, which may be the caller.
    splitter_.DeleteView(row_, column_);
    splitter_.CreateView(row_, column_, page, kSwitchedPageSize, &context);
    splitter_.RecalcLayout();
    AttachTo(Page());
    if (auto* view = dynamic_cast<CView*>(Page())) view->OnInitialUpdate();
}

void PagePane::RebuildPage() {
    if (CWnd* page = Page()) Show(page->GetRuntimeClass());
}

void PagePane::AttachTo(CWnd* page) {
    if (auto* hosted = dynamic_cast<shell::Page*>(page)) hosted->AttachHost(*this);
}

}  // namespace shell
