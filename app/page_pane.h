// The pane of a static splitter that shows the current page: one page at a
// time, each made anew by run-time class, so that no page keeps state across
// a switch. The one place where a page is swapped, for the shell's page
// buttons and for a page that rebuilds itself; it keeps no pointer to the
// page, which it finds in the splitter each time.
#pragma once
#include "app/shell_page.h"
#include "framework/afxext.h"

namespace shell {

class PagePane : public PageHost {
public:
    // Pane (row, column) of splitter, which must outlive every call.
    PagePane(CSplitterWnd& splitter, int row, int column);
    PagePane(const PagePane&) = delete;
    PagePane& operator=(const PagePane&) = delete;

    // Creates the first page, in the frame's client creation (the frame's
    // initial update reaches it). FALSE when it could not be made.
    BOOL CreateFirst(CRuntimeClass* page, SIZE sizeInit, CCreateContext* pContext);

    // The page shown; NULL when there is none.
    CWnd* Page() const;
    // Whether the page shown may be left: its own answer (Page::CanLeave),
    // true for a page without one and for an empty pane.
    bool CanLeave() const;
    // Destroys the page shown and creates one of class page in its place, for
    // the frame's document, filling the pane; then runs its initial update.
    // Asks nothing: whether the page may be left is the caller's question.
    void Show(CRuntimeClass* page);

    // A new page of the class of the page shown (PageHost).
    void RebuildPage() override;

private:
    void AttachTo(CWnd* page);

    CSplitterWnd& splitter_;
    const int row_;
    const int column_;
};

}  // namespace shell
