#include "tests/support/test_window.h"

#include "framework/afxctrl.h"

namespace pvtest {

TestParent::TestParent(int width, int height, int x, int y) {
    CreateEx(0, nullptr, "Purvex control test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width,
             height, nullptr, nullptr);
    UpdateWindow();
    PumpPending();
}

TestParent::~TestParent() {
    if (m_hWnd) DestroyWindow();
}

int TestParent::Clicks(UINT id) const {
    for (const auto& entry : m_clicks) {
        if (entry.first == id) return entry.second;
    }
    return 0;
}

BOOL TestParent::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        const UINT id = LOWORD(wParam);
        for (auto& entry : m_clicks) {
            if (entry.first == id) {
                ++entry.second;
                return TRUE;
            }
        }
        m_clicks.emplace_back(id, 1);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

Picture::Picture(int width, int height, COLORREF fill) : m_width(width), m_height(height) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    m_dc = CreateCompatibleDC(nullptr);
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<const DWORD*>(bits);
    m_old = SelectObject(m_dc, m_bitmap);
    RECT all = {0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(m_dc, &all, brush);
    DeleteObject(brush);
}

Picture::~Picture() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

COLORREF Picture::At(int x, int y) const {
    GdiFlush();
    const DWORD bgr = m_bits[y * m_width + x];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

void Picture::CaptureClient(HWND window, Picture& into) {
    HDC screen = GetDC(window);
    BitBlt(into.m_dc, 0, 0, into.m_width, into.m_height, screen, 0, 0, SRCCOPY);
    ReleaseDC(window, screen);
}

bool Picture::SameAs(const Picture& other) const {
    if (m_width != other.m_width || m_height != other.m_height) return false;
    GdiFlush();
    for (int i = 0; i < m_width * m_height; ++i) {
        if ((m_bits[i] & 0xFFFFFF) != (other.m_bits[i] & 0xFFFFFF)) return false;
    }
    return true;
}

void DrawButton(CButton& button, Picture& into, UINT state) {
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(button.m_hWnd));
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = button.m_hWnd;
    item.hDC = into.dc();
    item.rcItem = {0, 0, into.width(), into.height()};
    button.DrawItem(&item);
}

}  // namespace pvtest
