// Message maps: window messages, commands, notifications and their
// reflection to the sending control, binding and unbinding.
#include <gtest/gtest.h>
#include "framework/afxwin.h"

namespace {

const UINT kMenuCommand = 40001;
const UINT kButtonId = 100;
const UINT kNotifierId = 101;
const UINT WM_TEST = WM_APP + 1;

// A button that answers BN_CLICKED itself and passes it on when told to.
class CReflectButton : public CButton {
public:
    int reflectedClicks = 0;
    int drawCalls = 0;
    UINT drawnId = 0;
    BOOL passOn = FALSE;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override {
        ++drawCalls;
        drawnId = lpDrawItemStruct->CtlID;
    }

protected:
    afx_msg BOOL OnClickedReflect() {
        ++reflectedClicks;
        return !passOn;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CReflectButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClickedReflect)
END_MESSAGE_MAP()

// A control that keeps NM_CLICK and decides about NM_DBLCLK case by case.
class CNotifier : public CWnd {
public:
    int clicks = 0;
    int dblclks = 0;
    BOOL keepDblClk = TRUE;

protected:
    afx_msg void OnClickReflect(NMHDR*, LRESULT* pResult) {
        ++clicks;
        *pResult = 11;
    }
    afx_msg BOOL OnDblClkReflect(NMHDR*, LRESULT* pResult) {
        ++dblclks;
        *pResult = 22;
        return keepDblClk;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CNotifier, CWnd)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClickReflect)
    ON_NOTIFY_REFLECT_EX(NM_DBLCLK, OnDblClkReflect)
END_MESSAGE_MAP()

class CTestParent : public CWnd {
public:
    using CWnd::CreateEx;
    LPVOID createParam = nullptr;
    int menuCommands = 0;
    int buttonClicks = 0;
    int childClicks = 0, childDblClks = 0, childRClicks = 0;
    UINT lastTimer = 0;
    int testMessages = 0;
    UINT lastCtlColor = 99;
    HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
    int destroys = 0;
    int postNcDestroys = 0;
    int sizes = 0;
    ~CTestParent() override { ::DeleteObject(brush); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
        createParam = lpcs->lpCreateParams;
        return CWnd::OnCreate(lpcs);
    }
    afx_msg void OnMenuCommand() { ++menuCommands; }
    afx_msg void OnButton() { ++buttonClicks; }
    afx_msg void OnChildClick(NMHDR*, LRESULT*) { ++childClicks; }
    afx_msg void OnChildDblClk(NMHDR*, LRESULT*) { ++childDblClks; }
    afx_msg void OnChildRClick(NMHDR* pNMHDR, LRESULT* pResult) {
        ++childRClicks;
        *pResult = static_cast<LRESULT>(pNMHDR->idFrom) + 5;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { lastTimer = static_cast<UINT>(nIDEvent); }
    afx_msg virtual LRESULT OnTest(WPARAM wParam, LPARAM lParam) {
        ++testMessages;
        return static_cast<LRESULT>(wParam + lParam);
    }
    afx_msg HBRUSH OnCtlColor(CDC*, CWnd*, UINT nCtlColor) {
        lastCtlColor = nCtlColor;
        return brush;
    }
    afx_msg void OnDestroy() {
        ++destroys;
        CWnd::OnDestroy();
    }
    afx_msg void OnSize(UINT nType, int cx, int cy) {
        ++sizes;
        CWnd::OnSize(nType, cx, cy);
    }
    void PostNcDestroy() override { ++postNcDestroys; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestParent, CWnd)
    ON_WM_CREATE()
    ON_COMMAND(kMenuCommand, OnMenuCommand)
    ON_BN_CLICKED(kButtonId, OnButton)
    ON_NOTIFY(NM_CLICK, kNotifierId, OnChildClick)
    ON_NOTIFY(NM_DBLCLK, kNotifierId, OnChildDblClk)
    ON_NOTIFY(NM_RCLICK, kNotifierId, OnChildRClick)
    ON_WM_TIMER()
    ON_MESSAGE(WM_TEST, OnTest)
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
    ON_WM_SIZE()
END_MESSAGE_MAP()

// A derived map takes a message before its base map does.
class CDerivedParent : public CTestParent {
public:
    int derivedTests = 0;

protected:
    afx_msg LRESULT OnDerivedTest(WPARAM, LPARAM) {
        ++derivedTests;
        return 7;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDerivedParent, CTestParent)
    ON_MESSAGE(WM_TEST, OnDerivedTest)
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                    &marker));
        ASSERT_TRUE(button.Create("b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &parent, kButtonId));
        ASSERT_TRUE(notifier.Create(nullptr, "n", WS_CHILD | WS_VISIBLE, CRect(0, 30, 50, 50), &parent, kNotifierId));
    }
    LRESULT Notify(UINT code) {
        NMHDR hdr = { notifier.m_hWnd, kNotifierId, code };
        return parent.SendMessage(WM_NOTIFY, kNotifierId, reinterpret_cast<LPARAM>(&hdr));
    }
    int marker = 0;
    CTestParent parent;
    CReflectButton button;
    CNotifier notifier;
};

}  // namespace

TEST_F(MessageMapTest, CreationBindsTheObjectBeforeOnCreate) {
    EXPECT_EQ(&marker, parent.createParam);
    EXPECT_EQ(&parent, CWnd::FromHandlePermanent(parent.m_hWnd));
    EXPECT_EQ(&parent, CWnd::FromHandle(parent.m_hWnd));
    // The framework's one window procedure, whatever the window's class.
    EXPECT_EQ(::GetWindowLongPtrA(button.m_hWnd, GWLP_WNDPROC), ::GetWindowLongPtrA(parent.m_hWnd, GWLP_WNDPROC));
    EXPECT_EQ(&parent, button.GetParent());
    EXPECT_EQ(static_cast<int>(kButtonId), ::GetDlgCtrlID(button.m_hWnd));
    EXPECT_EQ(&button, parent.GetDlgItem(kButtonId));
}

TEST_F(MessageMapTest, CommandsFromMenusAndAccelerators) {
    EXPECT_EQ(1, parent.SendMessage(WM_COMMAND, MAKEWPARAM(kMenuCommand, 0), 0));
    EXPECT_EQ(1, parent.menuCommands);
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(kMenuCommand, 1), 0);  // an accelerator
    EXPECT_EQ(2, parent.menuCommands);
    EXPECT_EQ(0, parent.SendMessage(WM_COMMAND, MAKEWPARAM(41010, 0), 0));  // no entry: not handled
    EXPECT_EQ(2, parent.menuCommands);
}

TEST_F(MessageMapTest, ControlNotificationGoesToTheControlFirst) {
    button.SendMessage(BM_CLICK);  // the system sends BN_CLICKED to the parent
    EXPECT_EQ(1, button.reflectedClicks);
    EXPECT_EQ(0, parent.buttonClicks);
    button.passOn = TRUE;
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(2, button.reflectedClicks);
    EXPECT_EQ(1, parent.buttonClicks);
}

TEST_F(MessageMapTest, NotifyReflectKeepsOrPassesOnNotifications) {
    EXPECT_EQ(11, Notify(NM_CLICK));
    EXPECT_EQ(1, notifier.clicks);
    EXPECT_EQ(0, parent.childClicks);

    EXPECT_EQ(22, Notify(NM_DBLCLK));
    EXPECT_EQ(0, parent.childDblClks);
    notifier.keepDblClk = FALSE;
    Notify(NM_DBLCLK);
    EXPECT_EQ(2, notifier.dblclks);
    EXPECT_EQ(1, parent.childDblClks);

    EXPECT_EQ(static_cast<LRESULT>(kNotifierId + 5), Notify(NM_RCLICK));  // no reflect entry
    EXPECT_EQ(1, parent.childRClicks);
    EXPECT_EQ(0, Notify(NM_RETURN));  // nobody
}

TEST_F(MessageMapTest, DrawItemReachesTheControlsDrawItem) {
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = kButtonId;
    dis.hwndItem = button.m_hWnd;
    EXPECT_EQ(TRUE, parent.SendMessage(WM_DRAWITEM, kButtonId, reinterpret_cast<LPARAM>(&dis)));
    EXPECT_EQ(1, button.drawCalls);
    EXPECT_EQ(kButtonId, button.drawnId);

    HWND plain = ::CreateWindowExA(0, "BUTTON", "p", WS_CHILD | BS_OWNERDRAW, 0, 0, 10, 10, parent.m_hWnd,
                                   reinterpret_cast<HMENU>(102), nullptr, nullptr);
    dis.CtlID = 102;
    dis.hwndItem = plain;
    parent.SendMessage(WM_DRAWITEM, 102, reinterpret_cast<LPARAM>(&dis));  // an unbound control: default processing
    EXPECT_EQ(1, button.drawCalls);
}

TEST_F(MessageMapTest, WindowMessagesReachTheirHandlers) {
    parent.SendMessage(WM_TIMER, 7, 0);
    EXPECT_EQ(7u, parent.lastTimer);
    EXPECT_EQ(12, parent.SendMessage(WM_TEST, 5, 7));

    HDC hdc = ::GetDC(parent.m_hWnd);
    EXPECT_EQ(reinterpret_cast<LRESULT>(parent.brush),
              parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(button.m_hWnd)));
    EXPECT_EQ(static_cast<UINT>(CTLCOLOR_STATIC), parent.lastCtlColor);
    parent.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(button.m_hWnd));
    EXPECT_EQ(static_cast<UINT>(CTLCOLOR_EDIT), parent.lastCtlColor);
    ::ReleaseDC(parent.m_hWnd, hdc);

    int before = parent.sizes;
    parent.MoveWindow(0, 0, 320, 240);
    EXPECT_GT(parent.sizes, before);
    // Unmapped messages get the default processing.
    parent.SetWindowText("새 제목");
    CString text;
    parent.GetWindowText(text);
    EXPECT_STREQ("새 제목", static_cast<LPCTSTR>(text));
}

TEST(MessageMap, DerivedMapTakesMessagesFirst) {
    CDerivedParent wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "d", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(7, wnd.SendMessage(WM_TEST, 1, 1));
    EXPECT_EQ(1, wnd.derivedTests);
    EXPECT_EQ(0, wnd.testMessages);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(kMenuCommand, 0), 0);  // base entries still work
    EXPECT_EQ(1, wnd.menuCommands);
}

TEST(MessageMap, DestroyUnbindsOnceAndCallsPostNcDestroy) {
    CTestParent wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(1, wnd.destroys);
    EXPECT_EQ(1, wnd.postNcDestroys);
    EXPECT_FALSE(wnd.DestroyWindow());
}

TEST(MessageMap, ObjectDestroyedFirstTakesItsWindowAlong) {
    HWND hWnd;
    {
        CTestParent wnd;
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
}

namespace {
class CSetTextCounter : public CWnd {
public:
    int setTexts = 0;
protected:
    afx_msg LRESULT OnSetText(WPARAM, LPARAM) {
        ++setTexts;
        return Default();  // the edit control's own processing
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSetTextCounter, CWnd)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()
}  // namespace

TEST(MessageMap, SubclassingRoutesMessagesThroughTheObject) {
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    CSetTextCounter wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hEdit));
    CSetTextCounter other;
    EXPECT_FALSE(other.SubclassWindow(hEdit));  // bound already
    ::SetWindowTextA(hEdit, "abc");
    EXPECT_EQ(1, wnd.setTexts);
    char text[8] = {};
    ::GetWindowTextA(hEdit, text, sizeof(text));
    EXPECT_STREQ("abc", text);
    ::DestroyWindow(hEdit);
    EXPECT_EQ(nullptr, wnd.m_hWnd);  // unbound at the window's end
}

TEST(MessageMap, TemporaryWrappersNeverOwnTheirWindow) {
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "t", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hWnd, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hWnd));  // one wrapper per window
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
    struct IdleThread : CWinThread {
        using CWinThread::OnIdle;
    } idle;
    idle.OnIdle(0);  // frees this thread's temporaries
    EXPECT_TRUE(::IsWindow(hWnd));
    EXPECT_EQ(hWnd, CWnd::FromHandle(hWnd)->m_hWnd);
    ::DestroyWindow(hWnd);
}
