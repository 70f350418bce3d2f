// CDocument, CView and the single-document template.
#include "framework/internal.h"
#include "framework/afxext.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)
IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CCmdTarget)

// ---- document --------------------------------------------------------------------

CDocument::~CDocument() {
    for (CView* pView : m_views) pView->m_pDocument = nullptr;
    if (m_pDocTemplate != nullptr && m_pDocTemplate->m_pOnlyDoc == this) m_pDocTemplate->m_pOnlyDoc = nullptr;
}

void CDocument::AddView(CView* pView) {
    if (pView->m_pDocument == this) return;
    m_views.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView) {
    auto it = std::find(m_views.begin(), m_views.end(), pView);
    if (it == m_views.end()) return;
    m_views.erase(it);
    pView->m_pDocument = nullptr;
    if (m_views.empty() && m_bAutoDelete) OnCloseDocument();  // deletes this document
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR) {
    DeleteContents();
    return TRUE;
}

void CDocument::OnCloseDocument() {
    // Destroying a frame destroys its views, which leave this document; keep
    // the document alive until every frame is gone.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_views.empty()) {
        CView* pView = m_views.front();
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr) pFrame->DestroyWindow(); else pView->DestroyWindow();
        if (!m_views.empty() && m_views.front() == pView) RemoveView(pView);  // not destroyed
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete) delete this;
}

void CDocument::DeleteContents() {}

// ---- view --------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
    ON_MESSAGE(WM_MOUSEACTIVATE, OnMouseActivate)
END_MESSAGE_MAP()

CView::~CView() {
    if (m_pDocument != nullptr) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr) cs.lpszClass = PvfxFrameOrViewClass();
    if (cs.style & WS_BORDER) {  // a sunken client edge instead of a flat border
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~WS_BORDER;
    }
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    // A form view's window is a dialog, whose creation data is no context;
    // CFormView::Create attaches it to the document itself.
    if (dynamic_cast<CFormView*>(this) != nullptr) return 0;
    auto* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr) pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy() {
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->GetActiveView() == this) pFrame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy() { delete this; }

void CView::OnPaint() {
    CPaintDC dc(this);
    OnDraw(&dc);
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
    OnInitialUpdate();
    return 0;
}

LRESULT CView::OnMouseActivate(WPARAM, LPARAM) {
    LRESULT result = Default();
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->GetActiveView() != this) pFrame->SetActiveView(this);
    return result;
}

void CView::OnInitialUpdate() { Invalidate(TRUE); }

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra)) return TRUE;
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra);
}

// ---- document template ---------------------------------------------------------------

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass) {}

CSingleDocTemplate::~CSingleDocTemplate() {
    if (m_pOnlyDoc != nullptr) m_pOnlyDoc->m_pDocTemplate = nullptr;
}

CFrameWnd* CSingleDocTemplate::CreateNewFrame(CDocument* pDoc) {
    CCreateContext context;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(PvfxCreateObject(m_pFrameClass));
    if (pFrame == nullptr) return nullptr;
    // The thread's main window is known before the frame's creation code runs,
    // so that code (and dialogs it shows) can reach it through AfxGetMainWnd.
    CWinThread* pThread = AfxGetThread();
    BOOL bMadeMain = FALSE;
    if (pThread != nullptr && pThread->m_pMainWnd == nullptr) {
        pThread->m_pMainWnd = pFrame;
        bMadeMain = TRUE;
    }
    if (!pFrame->LoadFrame(m_nIDResource, &context)) {
        // A frame whose window was made and destroyed has deleted itself.
        if (bMadeMain && pThread->m_pMainWnd == pFrame) pThread->m_pMainWnd = nullptr;
        return nullptr;
    }
    return pFrame;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
    CDocument* pDoc = m_pOnlyDoc;
    if (pDoc != nullptr) {  // the one document starts over in its existing frame
        BOOL ok = lpszPathName ? pDoc->OnOpenDocument(lpszPathName) : pDoc->OnNewDocument();
        return ok ? pDoc : nullptr;
    }
    pDoc = dynamic_cast<CDocument*>(PvfxCreateObject(m_pDocClass));
    if (pDoc == nullptr) return nullptr;
    pDoc->m_pDocTemplate = this;
    m_pOnlyDoc = pDoc;
    BOOL bAutoDelete = pDoc->m_bAutoDelete;
    pDoc->m_bAutoDelete = FALSE;  // a failing frame must not take the document with it
    CFrameWnd* pFrame = CreateNewFrame(pDoc);
    pDoc->m_bAutoDelete = bAutoDelete;
    if (pFrame == nullptr) {
        delete pDoc;
        return nullptr;
    }
    if (lpszPathName == nullptr) {
        CString title;
        if (!title.LoadString(AFX_IDS_UNTITLED)) title = "Untitled";
        pDoc->m_strTitle = title;
    } else {
        pDoc->m_strTitle = lpszPathName;
    }
    BOOL ok = lpszPathName ? pDoc->OnOpenDocument(lpszPathName) : pDoc->OnNewDocument();
    if (!ok) {
        pFrame->DestroyWindow();  // takes the views and, with them, the document
        return nullptr;
    }
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
    return pDoc;
}
