// Run-time classes: kind tests and dynamic creation, also of a class that
// lives in another DLL.
#include <gtest/gtest.h>
#include "framework/afxext.h"
#include "ext/ext_view.h"
#include <memory>

namespace {

class CLocalDoc : public CDocument {
    DECLARE_DYNCREATE(CLocalDoc)
};
IMPLEMENT_DYNCREATE(CLocalDoc, CDocument)

}  // namespace

TEST(RuntimeClass, KindFollowsTheBaseChain) {
    CButton button;
    EXPECT_TRUE(button.IsKindOf(RUNTIME_CLASS(CButton)));
    EXPECT_TRUE(button.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(button.IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_TRUE(button.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(button.IsKindOf(RUNTIME_CLASS(CEdit)));
    EXPECT_STREQ("CButton", button.GetRuntimeClass()->m_lpszClassName);
}

TEST(RuntimeClass, OnlyDynCreateClassesCanBeCreated) {
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CButton)->m_pfnCreateObject);
    std::unique_ptr<CObject> doc(RUNTIME_CLASS(CLocalDoc)->m_pfnCreateObject());
    ASSERT_NE(nullptr, doc);
    EXPECT_TRUE(doc->IsKindOf(RUNTIME_CLASS(CDocument)));
    EXPECT_EQ(RUNTIME_CLASS(CLocalDoc), doc->GetRuntimeClass());
    std::unique_ptr<CObject> frame(RUNTIME_CLASS(CFrameWnd)->m_pfnCreateObject());
    EXPECT_TRUE(frame != nullptr && frame->IsKindOf(RUNTIME_CLASS(CFrameWnd)));
}

TEST(RuntimeClass, ClassFromAnotherDllIsCreatedAndKnowsItsBases) {
    int before = CExtView::s_live;
    CRuntimeClass* pClass = RUNTIME_CLASS(CExtView);
    EXPECT_STREQ("CExtView", pClass->m_lpszClassName);
    std::unique_ptr<CObject> view(pClass->m_pfnCreateObject());
    ASSERT_NE(nullptr, view);
    EXPECT_EQ(before + 1, CExtView::s_live);
    EXPECT_TRUE(view->IsKindOf(RUNTIME_CLASS(CFormView)));
    EXPECT_FALSE(view->IsKindOf(RUNTIME_CLASS(CDialog)));
    EXPECT_TRUE(view->IsKindOf(RUNTIME_CLASS(CView)));
    EXPECT_EQ(pClass, view->GetRuntimeClass());
    view.reset();
    EXPECT_EQ(before, CExtView::s_live);
}
