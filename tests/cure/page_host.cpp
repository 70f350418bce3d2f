#include "tests/cure/page_host.h"

#include <commctrl.h>

#include "app/cure/CureView.h"
#include "app/cure/cure_texts.h"

namespace cure_test {

namespace {
// The main window's page pane: 630 x 500 frame less the page-button column
// and the banner.
constexpr int kPaneWidth = 535;
constexpr int kPaneHeight = 425;
}  // namespace

PageHost::PageHost() {
    RECT rect = {0, 0, kPaneWidth, kPaneHeight};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    AdjustWindowRect(&rect, style, FALSE);
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CCureView);
    frame_ = new CFrameWnd;
    frame_->Create(nullptr, "Purvex", style, CRect(0, 0, rect.right - rect.left, rect.bottom - rect.top),
                   nullptr, nullptr, 0, &context);
    page_ = GetDlgItem(frame_->m_hWnd, AFX_IDW_PANE_FIRST);
    frame_->InitialUpdateFrame(nullptr, TRUE);
    PumpPending();
}

PageHost::~PageHost() {
    if (frame_ != nullptr && IsWindow(frame_->m_hWnd)) frame_->DestroyWindow();  // deletes itself
    PumpPending();
}

std::string PageHost::Text(int id) const {
    char text[512] = {};
    GetWindowTextA(control(id), text, sizeof text);
    return text;
}

bool PageHost::Visible(int id) const { return (GetWindowLongA(control(id), GWL_STYLE) & WS_VISIBLE) != 0; }

bool PageHost::Checked(int id) const { return SendMessageA(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void PageHost::Click(int id) {
    SendMessageA(control(id), BM_CLICK, 0, 0);
    PumpPending();
}

void PageHost::ClickPage(int x, int y) {
    SendMessageA(page_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(page_, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpPending();
}

void PageHost::ClickHeaderColumn0() {
    HWND header = reinterpret_cast<HWND>(SendMessageA(control(IDC_CURE_LIST), LVM_GETHEADER, 0, 0));
    RECT item = {};
    SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(header, WM_LBUTTONUP, 0, at);
    PumpPending();
}

void PageHost::Focus(int id) {
    SetFocus(control(id));
    PumpPending();
}

void PageHost::RunPass() {
    Click(IDC_CURE_START);
    PumpUntil([this] {
        return Text(IDC_CURE_START) == cure::kCaptionInitialScreen || Visible(IDC_CURE_DB_GROUP);
    });
}

void PageHost::PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void PageHost::PumpUntil(const std::function<bool()>& done) {
    // No time limit of its own: the test's timeout ends a pass that never ends.
    while (!done()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpPending();
    }
}

int PageHost::Rows() const { return static_cast<int>(SendMessageA(control(IDC_CURE_LIST), LVM_GETITEMCOUNT, 0, 0)); }

std::string PageHost::Cell(int row, int column) const {
    char text[512] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(control(IDC_CURE_LIST), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

bool PageHost::RowTicked(int row) const {
    return ListView_GetCheckState(control(IDC_CURE_LIST), row) != 0;
}

void PageHost::TickRow(int row, bool ticked) {
    ListView_SetCheckState(control(IDC_CURE_LIST), row, ticked ? TRUE : FALSE);
    PumpPending();
}

int PageHost::HeaderImage() const {
    HWND header = reinterpret_cast<HWND>(SendMessageA(control(IDC_CURE_LIST), LVM_GETHEADER, 0, 0));
    HDITEMA item = {};
    item.mask = HDI_IMAGE | HDI_FORMAT;
    if (!SendMessageA(header, HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
    return (item.fmt & HDF_IMAGE) ? item.iImage : -1;
}

}  // namespace cure_test
