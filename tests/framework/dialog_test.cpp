// CDialog: modal runs driven like a user, data exchange both ways, message
// boxes answered by their buttons.
#include <gtest/gtest.h>
#include "framework/afxwin.h"
#include "resource.h"
#include "tests/support/message_box_hook.h"
#include "tests/support/test_window.h"
#include <functional>

namespace {

const UINT WM_SHOWN = WM_APP + 10;

class CTestDialog : public CDialog {
public:
    explicit CTestDialog(CWnd* pParent = nullptr, UINT id = IDD_TEST_DIALOG) : CDialog(id, pParent) {}
    CString m_text;
    int m_check = 0;
    int m_radio = -1;
    CButton m_other;
    std::function<void(CTestDialog*)> onShown;  // runs once the dialog is up

    CString Text(int id) {
        CString s;
        GetDlgItemText(id, s);
        return s;
    }
    void Click(int id) { ::SendMessageA(::GetDlgItem(m_hWnd, id), BM_CLICK, 0, 0); }

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_OTHER, m_other);
        DDX_Text(pDX, IDC_TEXT, m_text);
        DDX_Check(pDX, IDC_CHECK, m_check);
        DDX_Radio(pDX, IDC_RADIO_FIRST, m_radio);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        PostMessage(WM_SHOWN);
        return TRUE;
    }
    afx_msg LRESULT OnShown(WPARAM, LPARAM) {
        if (onShown) onShown(this);
        return 0;
    }
    afx_msg void OnOther() { EndDialog(77); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
    ON_MESSAGE(WM_SHOWN, OnShown)
    ON_BN_CLICKED(IDC_OTHER, OnOther)
END_MESSAGE_MAP()

}  // namespace

TEST(Dialog, DataExchangeFillsControlsAndReadsThemBackOnOK) {
    CTestDialog dlg;
    dlg.m_text = "가나다 text";
    dlg.m_check = 1;
    dlg.m_radio = 2;
    CString shownText;
    UINT shownCheck = 0, shownRadio = 0;
    dlg.onShown = [&](CTestDialog* d) {
        shownText = d->Text(IDC_TEXT);
        shownCheck = d->IsDlgButtonChecked(IDC_CHECK);
        shownRadio = d->IsDlgButtonChecked(IDC_RADIO_THIRD);
        d->SetDlgItemText(IDC_TEXT, "새 값");
        ::CheckDlgButton(d->m_hWnd, IDC_CHECK, BST_UNCHECKED);
        ::CheckRadioButton(d->m_hWnd, IDC_RADIO_FIRST, IDC_RADIO_THIRD, IDC_RADIO_FIRST);
        d->Click(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("가나다 text", static_cast<LPCTSTR>(shownText));
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), shownCheck);
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), shownRadio);
    EXPECT_STREQ("새 값", static_cast<LPCTSTR>(dlg.m_text));
    EXPECT_EQ(0, dlg.m_check);
    EXPECT_EQ(0, dlg.m_radio);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_other.m_hWnd);  // the bound control went with the dialog
}

TEST(Dialog, NoRadioCheckedReadsMinusOne) {
    CTestDialog dlg;
    dlg.m_radio = -1;
    dlg.onShown = [](CTestDialog* d) { d->Click(IDOK); };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(-1, dlg.m_radio);
}

TEST(Dialog, EndDialogResultIsReturnedAndControlsAreBound) {
    CTestDialog dlg;
    CWnd* bound = nullptr;
    dlg.onShown = [&](CTestDialog* d) {
        bound = CWnd::FromHandlePermanent(::GetDlgItem(d->m_hWnd, IDC_OTHER));
        d->Click(IDC_OTHER);
    };
    EXPECT_EQ(77, dlg.DoModal());
    EXPECT_EQ(&dlg.m_other, bound);
}

TEST(Dialog, EscapeCancelsWithoutReadingControls) {
    CTestDialog dlg;
    dlg.m_text = "원래";
    dlg.onShown = [](CTestDialog* d) {
        d->SetDlgItemText(IDC_TEXT, "changed");
        HWND hEdit = ::GetDlgItem(d->m_hWnd, IDC_TEXT);
        ::SetFocus(hEdit);
        ::PostMessageA(hEdit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_STREQ("원래", static_cast<LPCTSTR>(dlg.m_text));
}

TEST(Dialog, OwnerIsDisabledWhileModal) {
    pvtest::TestParent owner;
    owner.ShowWindow(SW_SHOW);
    CTestDialog dlg(&owner);
    BOOL enabledDuring = TRUE;
    HWND ownerDuring = nullptr;
    dlg.onShown = [&](CTestDialog* d) {
        enabledDuring = ::IsWindowEnabled(owner.m_hWnd);
        ownerDuring = ::GetWindow(d->m_hWnd, GW_OWNER);
        d->Click(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(enabledDuring);
    EXPECT_EQ(owner.m_hWnd, ownerDuring);
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd));
}

TEST(Dialog, MissingTemplateFails) {
    CTestDialog dlg(nullptr, 9999);
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_FALSE(dlg.Create(9999u));
}

TEST(MessageBox, CaptionDefaultsToTheApplicationTitle) {
    pvtest::MessageBoxHook answerer({IDNO});
    EXPECT_EQ(IDNO, AfxMessageBox("질문", MB_YESNO));
    ASSERT_EQ(1u, answerer.seen().size());
    EXPECT_EQ("프레임 테스트", answerer.seen()[0].caption);
    EXPECT_EQ("질문", answerer.seen()[0].text);
}

TEST(MessageBox, PromptIdIsLoadedThroughTheResourceChain) {
    pvtest::MessageBoxHook answerer({IDYES});
    EXPECT_EQ(IDYES, AfxMessageBox(IDS_QUESTION, MB_YESNO | MB_ICONQUESTION));
    ASSERT_EQ(1u, answerer.seen().size());
    EXPECT_EQ("계속할까요?", answerer.seen()[0].text);
}

TEST(MessageBox, WindowMessageBoxNamesItsCaptionOrUsesTheTitle) {
    pvtest::TestParent owner;
    pvtest::MessageBoxHook answerer({IDOK, IDOK});
    EXPECT_EQ(IDOK, owner.MessageBox("a"));
    ASSERT_EQ(1u, answerer.seen().size());
    EXPECT_EQ("프레임 테스트", answerer.seen()[0].caption);
    EXPECT_EQ(IDOK, owner.MessageBox("b", "Purvex"));
    ASSERT_EQ(2u, answerer.seen().size());
    EXPECT_EQ("Purvex", answerer.seen()[1].caption);
}
