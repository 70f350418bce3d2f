// What the shell and the page in its right pane ask of each other. A page
// class that has nothing to say derives from neither: the shell then leaves
// it whenever asked, and it never asks to be rebuilt.
#pragma once

namespace shell {

// What a page may ask of the pane that shows it (PagePane, page_pane.h).
class PageHost {
public:
    // Replaces the page shown by a new one of the same class in its initial
    // state. The asking page is destroyed before this returns: it must not
    // touch itself afterwards.
    virtual void RebuildPage() = 0;

protected:
    ~PageHost() = default;
};

// What the shell asks of the page it shows.
class Page {
public:
    // Whether the user may leave the page now. False while the page runs an
    // action that must end on it: the shell then ignores every page button.
    virtual bool CanLeave() const { return true; }

    // The pane that shows the page, given before its initial update. Without
    // one (a page made by other means) RebuildPage does nothing.
    void AttachHost(PageHost& host) { m_pHost = &host; }

protected:
    ~Page() = default;
    void RebuildPage() {
        if (m_pHost != nullptr) m_pHost->RebuildPage();
    }

private:
    PageHost* m_pHost = nullptr;
};

}  // namespace shell
