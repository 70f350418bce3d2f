// Document, view and frame: the single-document machinery.
//
// CSingleDocTemplate::OpenDocumentFile creates the document, the frame (by
// run-time class) and, through the frame's OnCreateClient, the views; then the
// document's OnNewDocument runs and every view gets OnInitialUpdate.
// Frames and views delete themselves when their window is destroyed; a
// document deletes itself when its last view goes.
#pragma once
#include "framework/afxwnd.h"

#include <vector>

class CDocument;
class CView;
class CFrameWnd;
class CSingleDocTemplate;

#define WM_INITIALUPDATE 0x0364      // sent to every view once its document is ready
#define AFX_IDW_PANE_FIRST 0xE900    // id of the first pane (the frame's client view)
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)
#define FWS_ADDTOTITLE 0x00008000L   // caption shows the document's title
#define FWS_PREFIXTITLE 0x00004000L
#define AFX_IDS_APP_TITLE 0xE000     // string 57344: the application title
#define AFX_IDS_UNTITLED 0xF000      // title of a new document, if the program has it

// What a frame and its views need while they are created.
struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;  // the frame's client view, if any
    CDocument* m_pCurrentDoc = nullptr;        // the document the views join
};

class PVFX_API CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    ~CDocument() override;  // views still attached lose their document

protected:
    virtual BOOL OnNewDocument();                       // DeleteContents, TRUE
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);  // as OnNewDocument
    virtual void DeleteContents();

private:
    void AddView(CView* pView);
    void RemoveView(CView* pView);    // deletes the document when no view is left
    void OnCloseDocument();           // destroys the frames, deletes itself

    CString m_strTitle;
    CSingleDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_views;
    BOOL m_bAutoDelete = TRUE;
    friend class CView;
    friend class CFormView;
    friend class CFrameWnd;
    friend class CSingleDocTemplate;
};

class PVFX_API CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    virtual void OnInitialUpdate();  // invalidates the view

protected:
    CView() = default;
    ~CView() override;  // leaves its document's view list

    CDocument* GetDocument() const { return m_pDocument; }
    virtual void OnDraw(CDC* pDC) = 0;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra) override;  // the view's map, then the document's
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;  // deletes the view

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
    afx_msg LRESULT OnMouseActivate(WPARAM, LPARAM);

    CDocument* m_pDocument = nullptr;

    DECLARE_MESSAGE_MAP()
    friend class CDocument;
    friend class CFrameWnd;
};

class PVFX_API CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext);
    // Sizes the pane AFX_IDW_PANE_FIRST to the whole client area.
    virtual void RecalcLayout();
    CDocument* GetActiveDocument() const;
    // Sends WM_INITIALUPDATE to every view and, if bMakeVisible, shows the frame.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

protected:
    // Creates the frame from resource nIDResource: its icon (if present), its
    // menu (if present) and its title (the first line of string nIDResource,
    // if present). pContext reaches OnCreateClient.
    BOOL LoadFrame(UINT nIDResource, CCreateContext* pContext);
    // Creates the client view from pContext (if it names a view class).
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra) override;  // the active view first, then the frame
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;  // deletes the frame

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnClose();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    void ActivateFrame(int nCmdShow);
    void UpdateFrameTitle();

    CString m_strTitle;
    CView* m_pViewActive = nullptr;
    friend class CView;
    friend class CSplitterWnd;
    friend class CSingleDocTemplate;
};

// The one document of a single-document program, its frame and its view,
// each made by run-time class.
class PVFX_API CSingleDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);
    ~CSingleDocTemplate() override;

protected:
    // NULL path: a new document. A second call starts the one document over
    // in its frame. Returns NULL on failure.
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE);

private:
    CFrameWnd* CreateNewFrame(CDocument* pDoc);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CDocument* m_pOnlyDoc = nullptr;
    friend class CDocument;
    friend class CWinApp;
};
