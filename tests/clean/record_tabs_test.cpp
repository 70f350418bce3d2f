// The activity-record and auto-record tabs inside the real cleaning page,
// driven by clicks: their questions and report, which cleaners run for which
// boxes (a trace planted where each cleaner erases, in the prefix's own keys
// and folders, saved and put back around every test), the resets, Esc, and
// the pictures beside ticked boxes as the display shows them.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>

#include "app/clean/clean_pc_view.h"
#include "app/clean/clean_texts.h"
#include "app/clean/record_tabs.h"
#include "app/shell_texts.h"
#include "tests/support/message_box_hook.h"
#include "tests/support/pane_frame.h"
#include "tests/support/records_sandbox.h"

namespace {

using namespace recordstest;
using Boxes = std::vector<int>;

const Boxes kWorkBoxes = {IDC_WORK_VISIT_HISTORY, IDC_WORK_TYPED_URLS, IDC_WORK_RECENT_DOCS, IDC_WORK_RUN_MRU};
const Boxes kAutoBoxes = {IDC_AUTO_FORM_DATA, IDC_AUTO_PASSWORDS, IDC_AUTO_PLAYER_HISTORY};
const Boxes& BoxesOf(int tab) { return tab == 1 ? kWorkBoxes : kAutoBoxes; }

std::string Text(const char* text) { return std::string(text, strlen(text) + 1); }

// Per box: plants what its cleaner erases; tells whether that is still there.
struct Trace {
    int box;
    std::function<bool()> plant, present;
};
std::vector<Trace> Traces() {
    const HKEY user = HKEY_CURRENT_USER;
    const std::string visited = WindowsHistoryFolder() + "\\trace.txt";
    const std::string form = UserProviderKey() + "\\Data\\" + kFormKey;
    auto set = [=](std::string key, const char* name) {
        return [=] { return pvtest::SetValue(user, key, name, Text("trace")); };
    };
    auto key = [=](std::string path) { return [=] { return pvtest::KeyExists(user, path); }; };
    auto value = [=](const char* path, const char* name) {
        return [=] { return pvtest::ReadValue(user, path, name).present; };
    };
    return {{IDC_WORK_VISIT_HISTORY, [=] { return pvtest::WriteBytes(visited, "x"); },
             [=] { return pvtest::FileExists(visited); }},
            {IDC_WORK_TYPED_URLS, set(kTypedUrls, "url1"), key(kTypedUrls)},
            {IDC_WORK_RECENT_DOCS, set(kRecentDocs, "0"), key(kRecentDocs)},
            {IDC_WORK_RUN_MRU, set(kRunMru, "a"), value(kRunMru, "a")},
            {IDC_AUTO_FORM_DATA, set(form, "item"), key(form)},
            {IDC_AUTO_PASSWORDS, set(kIntelliForms, "site"), key(kIntelliForms)},
            {IDC_AUTO_PLAYER_HISTORY, set(kPlayerFiles, "File0"), value(kPlayerFiles, "File0")}};
}

// The colours of a w x h block at (x, y) of a device context, row by row.
std::vector<COLORREF> Block(HDC source, int x, int y, int w, int h) {
    std::vector<COLORREF> pixels;
    for (int row = y; row < y + h; ++row)
        for (int column = x; column < x + w; ++column) pixels.push_back(GetPixel(source, column, row));
    return pixels;
}

class RecordTabs : public ::testing::Test {
protected:
    RecordTabs() : host_(RUNTIME_CLASS(CCleanPcView), pvtest::PaneFrame()) {}
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));  // as the program has it from its start
        ASSERT_TRUE(windowsHistory_.ok() && shellHistory_.ok() && recent_.ok());
    }
    void TearDown() override { CoUninitialize(); }

    CCleanPcView* View() const { return static_cast<CCleanPcView*>(CWnd::FromHandlePermanent(host_.page())); }
    HWND Tab(int tab) const { return View()->Tabs().GetPage(tab)->m_hWnd; }
    HWND Box(int tab, int id) const { return GetDlgItem(Tab(tab), id); }
    void Open(int tab) { pvtest::ClickTab(host_.control(IDC_CLEAN_TABS), tab); }
    void Tick(int tab, const Boxes& boxes) {
        for (int box : boxes) pvtest::Click(Box(tab, box));
    }
    Boxes Ticked(int tab) const {
        Boxes ticked;
        for (int box : BoxesOf(tab))
            if (pvtest::IsChecked(Box(tab, box))) ticked.push_back(box);
        return ticked;
    }
    // Presses the host's start button ("삭    제" here); the boxes that follow
    // get the answers in turn and are checked against texts, all with the
    // application's title as caption.
    void PressDelete(std::vector<int> answers, std::vector<std::pair<const char*, LPCSTR>> expected) {
        pvtest::MessageBoxHook hook(std::move(answers));
        host_.Click(IDC_CLEAN_START);
        EXPECT_FALSE(View()->Busy());
        ASSERT_EQ(hook.seen().size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(hook.seen()[i].text, expected[i].first);
            EXPECT_EQ(hook.seen()[i].caption, shell::kAppTitle);
            EXPECT_EQ(hook.seen()[i].icon, LoadIcon(nullptr, expected[i].second));
        }
    }
    // Every planted trace is there, except those of the boxes erased.
    void ExpectTraces(const Boxes& erased) const {
        for (const Trace& trace : Traces())
            EXPECT_EQ(trace.present(), std::count(erased.begin(), erased.end(), trace.box) == 0) << trace.box;
    }

    RecordKeysBackup keys_;
    pvtest::FolderBackup windowsHistory_{WindowsHistoryFolder()}, shellHistory_{ShellFolder(CSIDL_HISTORY)},
        recent_{ShellFolder(CSIDL_RECENT)};
    pvtest::PageHost host_;
};

const std::pair<const char*, LPCSTR> kQuestion = {clean::kQuestionDeleteRecords, IDI_QUESTION};

TEST_F(RecordTabs, NothingTickedOrNoRunsNothing) {
    for (const Trace& trace : Traces()) ASSERT_TRUE(trace.plant()) << trace.box;
    for (int tab : {1, 2}) {
        SCOPED_TRACE(tab);
        Open(tab);
        PressDelete({}, {{clean::kMsgNoRecordChosen, IDI_EXCLAMATION}});
        Tick(tab, BoxesOf(tab));
        PressDelete({IDNO}, {kQuestion});
        EXPECT_EQ(Ticked(tab), BoxesOf(tab));
    }
    ExpectTraces({});
}

TEST_F(RecordTabs, YesRunsExactlyTheTickedCleanersUnticksAndReports) {
    std::vector<std::pair<int, Boxes>> cases;  // each box alone, then all boxes of its tab
    for (int tab : {1, 2}) {
        for (int box : BoxesOf(tab)) cases.push_back({tab, {box}});
        cases.push_back({tab, BoxesOf(tab)});
    }
    for (const auto& [tab, boxes] : cases) {
        SCOPED_TRACE(testing::Message() << "tab " << tab << ", box " << boxes[0] << " of " << boxes.size());
        for (const Trace& trace : Traces()) ASSERT_TRUE(trace.plant()) << trace.box;
        Open(tab);
        Tick(tab, boxes);
        PressDelete({IDYES, IDOK}, {kQuestion, {clean::kMsgTaskDone, IDI_EXCLAMATION}});
        ExpectTraces(boxes);
        EXPECT_TRUE(Ticked(tab).empty());
    }
    // The values went with the ticks: the next press asks for a choice.
    PressDelete({}, {{clean::kMsgNoRecordChosen, IDI_EXCLAMATION}});
}

TEST_F(RecordTabs, EscapeKeepsEitherTab) {
    for (int tab : {1, 2}) {
        SCOPED_TRACE(tab);
        Open(tab);
        const HWND box = Box(tab, BoxesOf(tab)[0]);
        SetFocus(box);
        // Delivered as the program's message loop does: pre-translated first.
        MSG msg = {box, WM_KEYDOWN, VK_ESCAPE, 0x00010001};
        if (!AfxGetApp()->PreTranslateMessage(&msg)) DispatchMessageA(&msg);
        pvtest::PumpPending();
        EXPECT_EQ(View()->Tabs().GetCurrentPage(), tab);
        EXPECT_TRUE(IsWindowVisible(box));
    }
}

TEST_F(RecordTabs, PicturesShowBesideTickedBoxesAndGoWithTheTicks) {
    const struct {
        int tab, box;
        UINT bitmap;
        int x, y;
    } pictures[] = {
        {1, IDC_WORK_VISIT_HISTORY, IDB_RECORD_VISIT_HISTORY, 260, 25},
        {1, IDC_WORK_TYPED_URLS, IDB_RECORD_TYPED_URLS, 300, 65},
        {1, IDC_WORK_RECENT_DOCS, IDB_RECORD_RECENT_DOCS, 260, 100},
        {1, IDC_WORK_RUN_MRU, IDB_RECORD_RUN_MRU, 300, 135},
        {2, IDC_AUTO_FORM_DATA, IDB_RECORD_FORM_DATA, 300, 55},
        {2, IDC_AUTO_PASSWORDS, IDB_RECORD_PASSWORDS, 300, 95},
        {2, IDC_AUTO_PLAYER_HISTORY, IDB_RECORD_PLAYER_HISTORY, 300, 125},
        {1, 0, IDB_RECORD_ANY_TICKED, 380, 135},  // while any box is ticked
        {2, 0, IDB_RECORD_ANY_TICKED, 380, 135},
    };
    // 1: the tab shows the bitmap at its place; 0: only the tab's white; -1: anything else (also a
    // place outside the tab).
    auto shown = [this](int tab, UINT id, int x, int y) {
        CBitmap bitmap;
        BITMAP size = {};
        if (!bitmap.LoadBitmap(id) || !bitmap.GetBitmap(&size)) return -2;
        HDC memory = CreateCompatibleDC(nullptr), dc = GetDC(Tab(tab));
        HGDIOBJ old = SelectObject(memory, bitmap);
        UpdateWindow(Tab(tab));
        const std::vector<COLORREF> on = Block(dc, x, y, size.bmWidth, size.bmHeight);
        const bool same = on == Block(memory, 0, 0, size.bmWidth, size.bmHeight);
        SelectObject(memory, old);
        DeleteDC(memory);
        ReleaseDC(Tab(tab), dc);
        if (same) return 1;
        return std::all_of(on.begin(), on.end(), [](COLORREF c) { return c == RGB(255, 255, 255); }) ? 0 : -1;
    };
    auto expectShown = [&](int tab, bool anyTicked) {
        const Boxes ticked = Ticked(tab);
        for (const auto& p : pictures) {
            if (p.tab != tab) continue;
            const bool on = p.box ? std::count(ticked.begin(), ticked.end(), p.box) > 0 : anyTicked;
            EXPECT_EQ(shown(tab, p.bitmap, p.x, p.y), on ? 1 : 0) << p.bitmap;
        }
    };
    for (int tab : {1, 2}) {
        SCOPED_TRACE(tab);
        Open(tab);
        expectShown(tab, false);
        for (int box : BoxesOf(tab)) {
            Tick(tab, {box});
            expectShown(tab, true);
        }
        if (const char* folder = getenv("PURVEX_SCREENSHOTS"))
            pvtest::SaveScreenshot(std::string(folder) + (tab == 1 ? "/record_tab_work.png" : "/record_tab_auto.png"));
        Tick(tab, {BoxesOf(tab)[0]});  // unticked
        expectShown(tab, true);
        Open(tab == 1 ? 2 : 0);  // leaving the tab unticks every box
        Open(tab);
        EXPECT_TRUE(Ticked(tab).empty());
        expectShown(tab, false);
        PressDelete({}, {{clean::kMsgNoRecordChosen, IDI_EXCLAMATION}});  // the values went too
    }
}

}  // namespace
