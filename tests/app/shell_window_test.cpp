// The shell's windows run in this process: the application starts as it does
// in Purvex.exe (framework entry, InitInstance), then each test drives the
// frame with window messages and answers message boxes through a hook.
// ctest runs every test in a process of its own.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/activex/activex_block.h"
#include "app/clean/clean_pc_view.h"
#include "app/cure/cure_view.h"
#include "app/launch.h"
#include "app/logo_dlg.h"
#include "app/main_frame.h"
#include "app/purvex_app.h"
#include "app/purvex_view.h"
#include "app/resource.h"
#include "app/shell_texts.h"
#include "app/top_view.h"
#include "reportview/report_view.h"
#include "tests/support/message_box_hook.h"
#include "tests/support/window_driver.h"

namespace {

// The application with the message loop replaced by the test's body.
class ShellUnderTest : public CPurvexApp {
public:
    std::function<void()> body;
    int Run() override {
        if (body) body();
        if (m_pMainWnd && m_pMainWnd->m_hWnd) m_pMainWnd->DestroyWindow();
        return ExitInstance();
    }
};
ShellUnderTest theApp;

std::vector<std::string> opened;  // addresses the browser was asked to open
int updaterStarts = 0;

// Runs the shell and then body while the main window is up.
void RunShell(std::function<void()> body) {
    shell::SetLaunchersForTesting([](const std::string& address) { opened.push_back(address); },
                                  [] { ++updaterStarts; });
    // Boxes a page shows on its own (the scan page without a database, say)
    // are answered here and reported, not failed: they are not the shell's.
    pvtest::MessageBoxHook background;
    theApp.body = [body] {
        pvtest::PumpPending();
        body();
    };
    AfxWinMain(GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW);
    for (const auto& box : background.seen()) std::printf("box shown: %s\n", box.text.c_str());
}

CMainFrame* Frame() { return static_cast<CMainFrame*>(AfxGetMainWnd()); }
CWnd* Page() { return Frame()->Pages().Page(); }
CPurvexView* Column() { return static_cast<CPurvexView*>(Frame()->PageSplitter().GetPane(0, 0)); }
CTopView* Banner() {
    HWND outer = GetDlgItem(Frame()->m_hWnd, AFX_IDW_PANE_FIRST);
    return static_cast<CTopView*>(CWnd::FromHandlePermanent(GetDlgItem(outer, AFX_IDW_PANE_FIRST)));
}
void Press(UINT id) {
    Column()->GetDlgItem(id)->SendMessage(BM_CLICK);
    pvtest::PumpPending();
}

struct Icons {
    UINT hover, normal;
};
Icons IconsOf(UINT id) {
    CIconButton* button = Column()->Button(id);
    return {button->GetHoverIconId(), button->GetNormalIconId()};
}
bool operator==(const Icons& a, const Icons& b) { return a.hover == b.hover && a.normal == b.normal; }
std::ostream& operator<<(std::ostream& out, const Icons& i) { return out << "(" << i.hover << ", " << i.normal << ")"; }

// The column's icons when `selected` is the selected button.
void ExpectSelected(UINT selected) {
    const struct {
        UINT id;
        Icons pair;
        UINT selectedIcon;
    } buttons[] = {
        {IDC_BUTTON_CURE, {IDI_CURE_HOVER, IDI_CURE_NORMAL}, IDI_CURE_SELECTED},
        {IDC_BUTTON_CLEAN, {IDI_CLEAN_HOVER, IDI_CLEAN_NORMAL}, IDI_CLEAN_SELECTED},
        {IDC_BUTTON_ACTIVEX, {IDI_ACTIVEX_HOVER, IDI_ACTIVEX_NORMAL}, IDI_ACTIVEX_SELECTED},
        {IDC_BUTTON_REPORT, {IDI_REPORT_HOVER, IDI_REPORT_NORMAL}, IDI_REPORT_SELECTED},
        {IDC_BUTTON_REPORTS, {IDI_REPORTS_HOVER, IDI_REPORTS_NORMAL}, IDI_REPORTS_SELECTED},
    };
    for (const auto& b : buttons) {
        const Icons expected = b.id == selected ? Icons{b.selectedIcon, 0} : b.pair;
        EXPECT_EQ(IconsOf(b.id), expected) << "button " << b.id;
    }
}

// Calls inspect on every modal dialog of this thread that shows the logo
// picture, from a timer that runs inside the dialog's own message loop.
std::function<void(HWND)> inspectLogo;
void CALLBACK LookForLogo(HWND, UINT, UINT_PTR, DWORD) {
    HWND logo = pvtest::FindThreadDialog([](HWND dialog) { return GetDlgItem(dialog, IDC_LOGO_PICTURE) != nullptr; });
    if (logo && inspectLogo) {
        auto inspect = inspectLogo;
        inspectLogo = nullptr;  // once
        inspect(logo);
    }
}

}  // namespace

TEST(ShellWindow, FrameIsFixedSizeWithoutMaximiseBoxOrMenu) {
    RunShell([] {
        CMainFrame* frame = Frame();
        ASSERT_NE(frame, nullptr);
        const DWORD style = frame->GetStyle();
        EXPECT_FALSE(style & WS_THICKFRAME);
        EXPECT_FALSE(style & WS_MAXIMIZEBOX);
        EXPECT_EQ(GetMenu(frame->m_hWnd), nullptr);
        EXPECT_EQ(pvtest::WindowText(frame->m_hWnd), shell::kAppTitle);
        EXPECT_TRUE(IsWindowVisible(frame->m_hWnd));
        // 630 x 500 at creation; the column's initial update may only shrink it
        // to fit the column's template.
        CRect rect;
        frame->GetWindowRect(rect);
        EXPECT_LE(rect.Width(), 630);
        EXPECT_LE(rect.Height(), 500);
        EXPECT_GT(rect.Width(), 600);
        EXPECT_GT(rect.Height(), 400);
        // Resizing by the border is not offered.
        const LRESULT hit = frame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rect.right - 1, rect.bottom - 1));
        EXPECT_NE(hit, HTBOTTOMRIGHT);
    });
}

TEST(ShellWindow, FirstPageIsScanAndCureWithItsButtonSelected) {
    RunShell([] {
        ASSERT_NE(Page(), nullptr);
        EXPECT_TRUE(Page()->IsKindOf(RUNTIME_CLASS(CCureView)));
        ExpectSelected(IDC_BUTTON_CURE);
        // The banner and the column sit in their panes.
        ASSERT_NE(Banner(), nullptr);
        EXPECT_TRUE(Banner()->IsKindOf(RUNTIME_CLASS(CTopView)));
        CRect banner;
        Banner()->GetClientRect(banner);
        EXPECT_EQ(banner.Height(), 45);
    });
}

TEST(ShellWindow, EveryPageSwitchCreatesTheTargetPageAnew) {
    RunShell([] {
        const struct {
            UINT button;
            CRuntimeClass* page;
        } switches[] = {
            {IDC_BUTTON_CLEAN, RUNTIME_CLASS(CCleanPcView)},   {IDC_BUTTON_CLEAN, RUNTIME_CLASS(CCleanPcView)},
            {IDC_BUTTON_ACTIVEX, RUNTIME_CLASS(CActiveXBlock)}, {IDC_BUTTON_REPORTS, RUNTIME_CLASS(CReportView)},
            {IDC_BUTTON_CURE, RUNTIME_CLASS(CCureView)},       {IDC_BUTTON_CURE, RUNTIME_CLASS(CCureView)},
        };
        for (const auto& step : switches) {
            HWND before = Page()->m_hWnd;
            Press(step.button);
            ASSERT_NE(Page(), nullptr);
            EXPECT_TRUE(Page()->IsKindOf(step.page)) << step.button;
            EXPECT_FALSE(IsWindow(before)) << "old page of " << step.button << " still exists";
            EXPECT_TRUE(IsWindowVisible(Page()->m_hWnd));
            ExpectSelected(step.button);
        }
    });
}

TEST(ShellWindow, NewPageFillsThePaneRightOfTheColumn) {
    RunShell([] {
        CRect before;
        Page()->GetWindowRect(before);
        Press(IDC_BUTTON_ACTIVEX);
        CRect after;
        Page()->GetWindowRect(after);
        EXPECT_EQ(after, before);
        EXPECT_GT(after.Width(), 400);
    });
}

TEST(ShellWindow, PageButtonsAreIgnoredWhileTheCleaningPageIsBusy) {
    RunShell([] {
        Press(IDC_BUTTON_CLEAN);
        auto* cleaning = dynamic_cast<CCleanPcView*>(Page());
        ASSERT_NE(cleaning, nullptr);
        cleaning->SetBusyForTesting(true);
        HWND shown = Page()->m_hWnd;
        pvtest::MessageBoxHook hook({IDYES});
        for (UINT button : {IDC_BUTTON_CURE, IDC_BUTTON_CLEAN, IDC_BUTTON_ACTIVEX, IDC_BUTTON_REPORT,
                            IDC_BUTTON_REPORTS}) {
            Press(button);
            EXPECT_EQ(Page()->m_hWnd, shown) << button;
            ExpectSelected(IDC_BUTTON_CLEAN);
        }
        EXPECT_TRUE(hook.seen().empty());  // not even the report question
        EXPECT_TRUE(opened.empty());

        cleaning->SetBusyForTesting(false);  // the run ended: the same press switches
        Press(IDC_BUTTON_CURE);
        EXPECT_TRUE(Page()->IsKindOf(RUNTIME_CLASS(CCureView)));
    });
}

TEST(ShellWindow, ReportQuestionAnsweredNoChangesNothing) {
    RunShell([] {
        HWND page = Page()->m_hWnd;
        pvtest::MessageBoxHook hook({IDNO});
        Press(IDC_BUTTON_REPORT);
        ASSERT_EQ(hook.seen().size(), 1u);
        EXPECT_EQ(hook.seen()[0].text, shell::kMsgReportQuestion);
        EXPECT_EQ(hook.seen()[0].caption, shell::kAppTitle);
        EXPECT_EQ(hook.seen()[0].icon, LoadIcon(nullptr, IDI_QUESTION));
        EXPECT_TRUE(hook.seen()[0].hadButton);
        EXPECT_TRUE(opened.empty());
        EXPECT_EQ(Page()->m_hWnd, page);
        ExpectSelected(IDC_BUTTON_CURE);
    });
}

TEST(ShellWindow, ReportQuestionAnsweredYesOpensTheReportPageAndKeepsThePage) {
    RunShell([] {
        Press(IDC_BUTTON_CLEAN);
        HWND page = Page()->m_hWnd;
        pvtest::MessageBoxHook hook({IDYES});
        Press(IDC_BUTTON_REPORT);
        ASSERT_EQ(hook.seen().size(), 1u);
        EXPECT_TRUE(hook.seen()[0].hadButton);
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(opened[0], std::string(shell::kMakerHost) + "/purvex/ad_report.php");
        EXPECT_EQ(Page()->m_hWnd, page);
        ExpectSelected(IDC_BUTTON_REPORT);
    });
}

TEST(ShellWindow, BannerButtonsOpenTheirPagesAndStartTheUpdaterWithoutAsking) {
    RunShell([] {
        pvtest::MessageBoxHook hook;
        for (UINT id : {IDC_BUTTON_PATCH, IDC_BUTTON_ADWARE, IDC_BUTTON_HELP, IDC_BUTTON_UPDATE}) {
            Banner()->GetDlgItem(id)->SendMessage(BM_CLICK);
            pvtest::PumpPending();
        }
        const std::vector<std::string> expected = {shell::kWindowsUpdateAddress,
                                                   std::string(shell::kMakerHost) + "/purvex/main.php",
                                                   std::string(shell::kMakerHost) + "/purvex/ad_help.php"};
        EXPECT_EQ(opened, expected);
        EXPECT_EQ(updaterStarts, 1);
        EXPECT_TRUE(hook.seen().empty());
        EXPECT_TRUE(IsWindowVisible(Frame()->m_hWnd));
    });
}

TEST(ShellWindow, LinkCursorShowsOnlyOverTheLogo) {
    RunShell([] {
        const HCURSOR link = AfxGetApp()->LoadCursor(IDC_LINK_CURSOR);
        ASSERT_NE(link, nullptr);
        const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
        SetCursor(arrow);
        Banner()->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(95, 20));
        EXPECT_NE(GetCursor(), link);
        Banner()->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(50, 20));
        EXPECT_EQ(GetCursor(), link);
        SetCursor(arrow);
        Banner()->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(90, 20));  // the area ends before x = 90
        EXPECT_NE(GetCursor(), link);
    });
}

TEST(ShellWindow, BannerClickAt95And20OpensTheUntimedLogoUntilClicked) {
    RunShell([] {
        std::string caption = "not seen";
        bool stayedAfterInspection = false;
        inspectLogo = [&](HWND logo) {
            caption = pvtest::WindowText(logo);
            stayedAfterInspection = IsWindowVisible(logo);
            SendMessageA(logo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));  // closes it
        };
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, LookForLogo);
        Banner()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(95, 20));  // returns when the logo has closed
        KillTimer(nullptr, timer);
        EXPECT_EQ(caption, "");  // untimed: no "Purvex" title
        EXPECT_TRUE(stayedAfterInspection);
        EXPECT_EQ(inspectLogo, nullptr);

        // Outside the area nothing opens.
        bool opened = false;
        inspectLogo = [&](HWND logo) {
            opened = true;
            SendMessageA(logo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        };
        Banner()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 20));
        EXPECT_FALSE(opened);
        inspectLogo = nullptr;
    });
}

TEST(ShellWindow, StartUpDeletesTheUpdatersLeftOverVersionFile) {
    HANDLE file = CreateFileA(shell::kUpdaterVersionFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    RunShell([] { EXPECT_EQ(GetFileAttributesA(shell::kUpdaterVersionFile), INVALID_FILE_ATTRIBUTES); });
}

TEST(LogoDialog, TimedLogoIsTitledIgnoresClicksAndClosesItself) {
    std::string caption;
    bool visibleAfterClick = false;
    inspectLogo = [&](HWND logo) {
        caption = pvtest::WindowText(logo);
        SendMessageA(logo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        visibleAfterClick = IsWindowVisible(logo);
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, LookForLogo);
    CLogoDlg logo;
    logo.m_timed = 1;
    EXPECT_EQ(logo.DoModal(), IDOK);  // returns only because it closed itself
    KillTimer(nullptr, timer);
    EXPECT_EQ(caption, shell::kInstanceName);
    EXPECT_TRUE(visibleAfterClick);
}

TEST(LogoDialog, ShowsTheStartUpPicture) {
    inspectLogo = [](HWND logo) {
        HWND picture = GetDlgItem(logo, IDC_LOGO_PICTURE);
        HBITMAP shown = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
        BITMAP size = {};
        GetObjectA(shown, sizeof size, &size);
        EXPECT_EQ(size.bmWidth, 539);
        EXPECT_EQ(size.bmHeight, 360);
        EXPECT_FALSE(GetWindowLongA(logo, GWL_STYLE) & WS_CAPTION);
        SendMessageA(logo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, LookForLogo);
    CLogoDlg logo;
    EXPECT_EQ(logo.DoModal(), IDOK);
    KillTimer(nullptr, timer);
}
