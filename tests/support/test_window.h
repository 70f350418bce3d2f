// Windows and pictures for the tests of controls and framework windows: a
// visible top-level parent made with the framework, and pictures read back
// pixel by pixel.
#pragma once
#include <windows.h>

#include <vector>

#include "framework/afxwin.h"
#include "tests/support/window_driver.h"

class CButton;

namespace pvtest {

// A visible, captioned top-level window at (x, y) that counts the clicks its
// child buttons report.
class TestParent : public CWnd {
public:
    explicit TestParent(int width = 400, int height = 300, int x = 40, int y = 40);
    ~TestParent() override;

    int Clicks(UINT id) const;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<std::pair<UINT, int>> m_clicks;
};

// A 32-bit top-down picture with its own memory DC.
class Picture {
public:
    Picture(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    HDC dc() const { return m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    COLORREF At(int x, int y) const;  // RGB() form
    // Copies what the window shows (its client area) from the screen surface.
    static void CaptureClient(HWND window, Picture& into);
    bool SameAs(const Picture& other) const;

private:
    int m_width, m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    const DWORD* m_bits = nullptr;
};

// Draws an owner-drawn button into the whole picture in state (ODS_...), as
// its parent's WM_DRAWITEM asks it to.
void DrawButton(CButton& button, Picture& into, UINT state);

}  // namespace pvtest
