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

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpPending();
    }
    return true;
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

void ClickTab(HWND tabs, int index) {
    RECT item = {};
    SendMessageA(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    ClickAt(tabs, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
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

void TypeText(HWND edit, const std::string& text) {
    for (unsigned char c : text) SendMessageA(edit, WM_CHAR, c, 1);
    PumpPending();
}

DialogDriver::DialogDriver(std::function<void(HWND dialog)> action)
    : steps_({[action] {
          // A message box is a dialog with a text control of id 0xFFFF.
          HWND dialog = FindThreadDialog([](HWND window) { return GetDlgItem(window, 0xFFFF) == nullptr; });
          if (dialog == nullptr) return false;
          action(dialog);
          return true;
      }}) {}

bool SaveScreenshot(const std::string& unixPath) {
    std::string windowsPath = "Z:" + unixPath;
    for (char& c : windowsPath)
        if (c == '/') c = '\\';
    DeleteFileA(windowsPath.c_str());
    std::string command = "Z:\\usr\\bin\\import -window root \"" + unixPath + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    // The picture is taken of what the display shows: keep painting meanwhile.
    while (MsgWaitForMultipleObjects(1, &info.hProcess, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        PumpPending();
    CloseHandle(info.hProcess);
    // The handle of a host program may be signalled before the program has
    // run, and its exit code means nothing: the picture has been taken once
    // its file is there.
    return PumpUntil([&] { return GetFileAttributesA(windowsPath.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000);
}

HWND FindThreadDialogTitled(const std::string& caption) {
    return FindThreadDialog([&caption](HWND dialog) { return WindowText(dialog) == caption; });
}

namespace {
struct ProcessWindowSearch {
    DWORD processId;
    const std::string* title;
    std::vector<HWND> found;
};
BOOL CALLBACK CheckProcessWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ProcessWindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && WindowText(window) == *search->title) search->found.push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> ProcessWindows(DWORD processId, const std::string& title) {
    ProcessWindowSearch search = {processId, &title, {}};
    EnumWindows(CheckProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
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

int ListView::TickedRows() const {
    int ticked = 0;
    for (int row = 0; row < Rows(); ++row) ticked += Ticked(row) ? 1 : 0;
    return ticked;
}

void ListView::AppendRows(int count) {
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < count; ++i) {
        const std::string text = "row " + std::to_string(i);
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = Rows();
        item.pszText = const_cast<char*>(text.c_str());
        SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    PumpPending();
}

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

void ListView::ClickRow(int row) {
    RECT rect = {};
    rect.left = LVIR_BOUNDS;
    SendMessageA(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
    RECT column = {};
    column.top = 1;  // the second column
    column.left = LVIR_BOUNDS;
    SendMessageA(list_, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&column));
    ClickAt(list_, column.left + 4, (rect.top + rect.bottom) / 2);
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

void ListView::ClickHeader(int column, bool pump) {
    RECT item = {};
    SendMessageA(header(), HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageA(header(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(header(), WM_LBUTTONUP, 0, at);
    if (pump) PumpPending();
}

int ListView::HeaderImage(int column) const {
    HDITEMA item = {};
    item.mask = HDI_IMAGE | HDI_FORMAT;
    if (!SendMessageA(header(), HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item))) return -1;
    return (item.fmt & HDF_IMAGE) ? item.iImage : -1;
}

std::string ListView::Heading(int column) const {
    char text[256] = {};
    HDITEMA item = {};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(header(), HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
    return text;
}

}  // namespace pvtest
