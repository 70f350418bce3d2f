// Form views from templates, static splitters with replaced panes, and the
// single-document template that builds frame, views and document.
#include <gtest/gtest.h>
#include "framework/afxext.h"
#include "ext/ext_view.h"
#include "resource.h"
#include "tests/support/test_window.h"

namespace {

class CLocalForm : public CFormView {
    DECLARE_DYNCREATE(CLocalForm)
protected:
    CLocalForm() : CFormView(IDD_LOCAL_FORM) { ++s_live; }
public:
    using CView::GetDocument;
    ~CLocalForm() override { --s_live; }
    static int s_live;
    int clicks = 0;
    int initialUpdates = 0;
    CString m_text = "초기값";

    void OnInitialUpdate() override {
        ++initialUpdates;
        CFormView::OnInitialUpdate();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_FORM_TEXT, m_text); }
    afx_msg void OnFormButton() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CLocalForm, CFormView)
BEGIN_MESSAGE_MAP(CLocalForm, CFormView)
    ON_BN_CLICKED(IDC_FORM_BUTTON, OnFormButton)
END_MESSAGE_MAP()
int CLocalForm::s_live = 0;

class CTestDoc : public CDocument {
    DECLARE_DYNCREATE(CTestDoc)
public:
    static int s_live;
    CTestDoc() { ++s_live; }
    ~CTestDoc() override { --s_live; }
};
IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
int CTestDoc::s_live = 0;

// A frame split in two columns: a local form on the left, the extension
// DLL's form on the right. Flat splitters set the border members.
class CSplitFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CSplitFrame)
public:
    using CFrameWnd::GetActiveView;
    using CFrameWnd::SetActiveView;
    CSplitterWnd m_splitter;
    static int s_border;           // the splitter's border and gap for the next frame
    static CSplitFrame* s_latest;  // the frame made last
protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override {
        s_latest = this;
        if (s_border >= 0) {
            SetFlat(s_border);
        }
        if (!m_splitter.CreateStatic(this, 1, 2)) return FALSE;
        m_splitter.CreateView(0, 0, RUNTIME_CLASS(CLocalForm), CSize(120, 0), pContext);
        m_splitter.CreateView(0, 1, RUNTIME_CLASS(CExtView), CSize(0, 0), pContext);
        return TRUE;
    }
    void SetFlat(int border);
};
IMPLEMENT_DYNCREATE(CSplitFrame, CFrameWnd)
int CSplitFrame::s_border = -1;
CSplitFrame* CSplitFrame::s_latest = nullptr;

// Opens documents the way the application object does.
class CTestTemplate : public CSingleDocTemplate {
public:
    using CSingleDocTemplate::CSingleDocTemplate;
    using CSingleDocTemplate::OpenDocumentFile;
};

// Exposes the protected layout members, as a flat-splitter subclass does.
class CFlatSplitterForTest : public CSplitterWnd {
public:
    void Flatten(int border) {
        m_cxSplitter = m_cySplitter = 0;
        m_cxBorderShare = m_cyBorderShare = 0;
        m_cxSplitterGap = m_cySplitterGap = border;
        m_cxBorder = m_cyBorder = border;
    }
};
void CSplitFrame::SetFlat(int border) { static_cast<CFlatSplitterForTest&>(m_splitter).Flatten(border); }

CRect PaneRectIn(CWnd* pPane, CWnd* pParent) {
    CRect rect;
    pPane->GetWindowRect(&rect);
    ::MapWindowPoints(nullptr, pParent->m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

struct OpenedFrame {
    CTestTemplate* tmpl;
    CTestDoc* doc;
    CSplitFrame* frame;
};

OpenedFrame OpenDocument() {
    auto* tmpl = new CTestTemplate(128, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CSplitFrame), RUNTIME_CLASS(CLocalForm));
    CSplitFrame::s_latest = nullptr;
    CDocument* doc = tmpl->OpenDocumentFile(nullptr, FALSE);
    return { tmpl, static_cast<CTestDoc*>(doc), doc != nullptr ? CSplitFrame::s_latest : nullptr };
}

}  // namespace

TEST(Views, TemplateBuildsFrameViewsAndDocument) {
    CSplitFrame::s_border = -1;
    int docsBefore = CTestDoc::s_live;
    OpenedFrame opened = OpenDocument();
    ASSERT_NE(nullptr, opened.doc);
    ASSERT_NE(nullptr, opened.frame);
    EXPECT_EQ(docsBefore + 1, CTestDoc::s_live);
    EXPECT_TRUE(opened.frame->IsKindOf(RUNTIME_CLASS(CSplitFrame)));

    auto* left = dynamic_cast<CLocalForm*>(opened.frame->m_splitter.GetPane(0, 0));
    auto* right = dynamic_cast<CExtView*>(opened.frame->m_splitter.GetPane(0, 1));
    ASSERT_NE(nullptr, left);
    ASSERT_NE(nullptr, right);
    EXPECT_EQ(opened.doc, left->GetDocument());
    EXPECT_EQ(opened.doc, right->GetDocument());
    EXPECT_EQ(opened.frame, left->GetParentFrame());
    EXPECT_EQ(opened.doc, opened.frame->GetActiveDocument());
    // Every view had its initial update, which filled the form's controls.
    EXPECT_EQ(1, left->initialUpdates);
    CString text;
    left->GetDlgItemText(IDC_FORM_TEXT, text);
    EXPECT_STREQ("초기값", static_cast<LPCTSTR>(text));

    // Destroying the frame takes the views and then the document.
    int formsBefore = CLocalForm::s_live;
    opened.frame->DestroyWindow();
    EXPECT_EQ(formsBefore - 1, CLocalForm::s_live);
    EXPECT_EQ(docsBefore, CTestDoc::s_live);
    delete opened.tmpl;
}

TEST(Views, FormViewControlsReachTheViewsMessageMap) {
    CSplitFrame::s_border = -1;
    OpenedFrame opened = OpenDocument();
    ASSERT_NE(nullptr, opened.frame);
    auto* left = static_cast<CLocalForm*>(opened.frame->m_splitter.GetPane(0, 0));
    auto* right = static_cast<CExtView*>(opened.frame->m_splitter.GetPane(0, 1));
    opened.frame->ShowWindow(SW_SHOW);
    ::SendMessageA(::GetDlgItem(left->m_hWnd, IDC_FORM_BUTTON), BM_CLICK, 0, 0);
    ::SendMessageA(::GetDlgItem(right->m_hWnd, IDC_EXT_BUTTON), BM_CLICK, 0, 0);
    EXPECT_EQ(1, left->clicks);
    EXPECT_EQ(1, right->m_clicks);  // the template came from the extension DLL
    opened.frame->DestroyWindow();
    delete opened.tmpl;
}

TEST(Views, SplitterLaysOutPanesWithBordersAndGaps) {
    CSplitFrame::s_border = -1;  // the framework's own sizes: border 2, gap 7
    OpenedFrame opened = OpenDocument();
    ASSERT_NE(nullptr, opened.frame);
    CSplitterWnd& splitter = opened.frame->m_splitter;
    CRect client;
    splitter.GetClientRect(&client);
    CRect left = PaneRectIn(splitter.GetPane(0, 0), &splitter);
    CRect right = PaneRectIn(splitter.GetPane(0, 1), &splitter);
    EXPECT_EQ(CRect(2, 2, 122, client.bottom - 2), left);
    EXPECT_EQ(CRect(129, 2, client.right - 2, client.bottom - 2), right);
    opened.frame->DestroyWindow();
    delete opened.tmpl;

    CSplitFrame::s_border = 1;  // a flat splitter: 1-pixel border and gap
    opened = OpenDocument();
    ASSERT_NE(nullptr, opened.frame);
    CSplitterWnd& flat = opened.frame->m_splitter;
    flat.GetClientRect(&client);
    EXPECT_EQ(CRect(1, 1, 121, client.bottom - 1), PaneRectIn(flat.GetPane(0, 0), &flat));
    EXPECT_EQ(CRect(122, 1, client.right - 1, client.bottom - 1), PaneRectIn(flat.GetPane(0, 1), &flat));
    opened.frame->DestroyWindow();
    delete opened.tmpl;
    CSplitFrame::s_border = -1;
}

TEST(Views, DeleteViewAndCreateViewReplaceAPane) {
    OpenedFrame opened = OpenDocument();
    ASSERT_NE(nullptr, opened.frame);
    CSplitterWnd& splitter = opened.frame->m_splitter;
    int extBefore = CExtView::s_live;
    int formsBefore = CLocalForm::s_live;
    CWnd* leftPane = splitter.GetPane(0, 0);
    opened.frame->SetActiveView(static_cast<CView*>(splitter.GetPane(0, 1)));

    CCreateContext context;
    context.m_pCurrentDoc = opened.frame->GetActiveDocument();
    ASSERT_EQ(opened.doc, context.m_pCurrentDoc);
    splitter.DeleteView(0, 1);
    EXPECT_EQ(extBefore - 1, CExtView::s_live);
    EXPECT_EQ(nullptr, splitter.GetPane(0, 1));
    EXPECT_EQ(leftPane, opened.frame->GetActiveView());  // activation moved to the remaining pane

    ASSERT_TRUE(splitter.CreateView(0, 1, RUNTIME_CLASS(CLocalForm), CSize(0, 300), &context));
    splitter.RecalcLayout();
    auto* replaced = dynamic_cast<CLocalForm*>(splitter.GetPane(0, 1));
    ASSERT_NE(nullptr, replaced);
    replaced->OnInitialUpdate();
    EXPECT_EQ(formsBefore + 1, CLocalForm::s_live);
    EXPECT_EQ(opened.doc, replaced->GetDocument());
    CRect client;
    splitter.GetClientRect(&client);
    EXPECT_EQ(CRect(129, 2, client.right - 2, client.bottom - 2), PaneRectIn(replaced, &splitter));
    EXPECT_FALSE(splitter.CreateView(0, 1, RUNTIME_CLASS(CLocalForm), CSize(0, 0), &context));  // occupied
    EXPECT_EQ(formsBefore + 1, CLocalForm::s_live);

    // The same page again: a fresh object.
    splitter.DeleteView(0, 1);
    ASSERT_TRUE(splitter.CreateView(0, 1, RUNTIME_CLASS(CLocalForm), CSize(0, 300), &context));
    EXPECT_NE(nullptr, splitter.GetPane(0, 1));
    EXPECT_EQ(formsBefore + 1, CLocalForm::s_live);
    opened.frame->DestroyWindow();
    delete opened.tmpl;
}

namespace {
int g_missingFormsDeleted = 0;
class CMissingForm : public CFormView {
public:
    CMissingForm() : CFormView(9999u) {}
    ~CMissingForm() override { ++g_missingFormsDeleted; }
};
}  // namespace

TEST(Views, FormViewWithMissingTemplateDeletesItself) {
    pvtest::TestParent parent;
    auto* pForm = new CMissingForm;
    EXPECT_FALSE(pForm->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &parent, 1, nullptr));
    EXPECT_EQ(1, g_missingFormsDeleted);
}
