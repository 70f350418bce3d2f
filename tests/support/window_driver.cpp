#include "tests/support/window_driver.h"

#include <commctrl.h>

#include <utility>

namespace pvtest {

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void PumpUntil(const std::function<bool()>& done) {
    while (!done()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpPending();
    }
}

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpPending();
    }
}

std::string WindowText(HWND window) {
    char text[2048] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool IsShown(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

bool IsChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Click(HWND button) {
    SendMessageA(button, BM_CLICK, 0, 0);
    PumpPending();
}

void ClickAt(HWND window, int x, int y) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpPending();
}

namespace {
struct DialogSearch {
    const std::function<bool(HWND)>* match;
    HWND found;
};
BOOL CALLBACK CheckDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (IsWindowVisible(window) && lstrcmpA(name, "#32770") == 0 && (*search->match)(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindThreadDialog(HWND except) {
    return FindThreadDialog([except](HWND dialog) { return dialog != except; });
}

HWND FindThreadDialog(const std::function<bool(HWND)>& match) {
    DialogSearch search = {&match, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), CheckDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindThreadDialogTitled(const std::string& caption) {
    return FindThreadDialog([&caption](HWND dialog) { return WindowText(dialog) == caption; });
}

void PostClick(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void TypeFileName(HWND fileDialog, const std::string& name) {
    constexpr int kNameCombo = 0x47C;  // cmb13 of the explorer-style dialogs
    constexpr int kNameEdit = 0x480;   // edt1 of the others
    HWND field = GetDlgItem(fileDialog, kNameCombo);
    if (field == nullptr) field = GetDlgItem(fileDialog, kNameEdit);
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

namespace {
ModalSteps* currentSteps = nullptr;
}  // namespace

ModalSteps::ModalSteps(std::vector<Step> steps) : steps_(std::move(steps)) {
    currentSteps = this;
    timer_ = SetTimer(nullptr, 0, 20, Tick);
}

ModalSteps::~ModalSteps() {
    KillTimer(nullptr, timer_);
    currentSteps = nullptr;
}

void CALLBACK ModalSteps::Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalSteps* self = currentSteps;
    if (self == nullptr || self->running_ || self->done()) return;
    self->running_ = true;
    if (self->steps_[self->next_]()) ++self->next_;
    self->running_ = false;
}

HWND ListView::header() const { return reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0)); }

int ListView::Rows() const { return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)); }

int ListView::Columns() const { return static_cast<int>(SendMessageA(header(), HDM_GETITEMCOUNT, 0, 0)); }

int ListView::ColumnWidth(int column) const {
    return static_cast<int>(SendMessageA(list_, LVM_GETCOLUMNWIDTH, column, 0));
}

std::string ListView::Cell(int row, int column) const {
    char text[1024] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

bool ListView::Ticked(int row) const { return ListView_GetCheckState(list_, row) != 0; }

void ListView::Tick(int row, bool ticked) {
    ListView_SetCheckState(list_, row, ticked ? TRUE : FALSE);
    PumpPending();
}

bool ListView::Selected(int row) const {
    return (SendMessageA(list_, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void ListView::Select(int row) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    SendMessageA(list_, LVM_SETSELECTIONMARK, 0, row);  // a click starts the selection there
    PumpPending();
}

void ListView::DoubleClick(int row) {
    Select(row);
    RECT rect = {};
    rect.left = LVIR_LABEL;
    SendMessageA(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
    SendMessageA(list_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rect.left + 2, (rect.top + rect.bottom) / 2));
    PumpPending();
}

void ListView::DoubleClickEmptySpace() {
    RECT client = {}, last = {};
    GetClientRect(list_, &client);
    int y = client.bottom - 2;
    last.left = LVIR_BOUNDS;
    if (Rows() > 0 && SendMessageA(list_, LVM_GETITEMRECT, Rows() - 1, reinterpret_cast<LPARAM>(&last)) &&
        last.bottom + 2 < client.bottom)
        y = last.bottom + 2;
    SendMessageA(list_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(client.left + 10, y));
    PumpPending();
}

void ListView::ClickHeader(int column) {
    RECT item = {};
    SendMessageA(header(), HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageA(header(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(header(), WM_LBUTTONUP, 0, at);
    PumpPending();
}

int ListView::HeaderImage(int column) const {
    HDITEMA item = {};
    item.mask = HDI_IMAGE | HDI_FORMAT;
    if (!SendMessageA(header(), HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item))) return -1;
    return (item.fmt & HDF_IMAGE) ? item.iImage : -1;
}

}  // namespace pvtest
