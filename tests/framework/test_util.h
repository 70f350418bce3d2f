// Helpers shared by the framework tests.
#pragma once
#include "framework/afxwin.h"
#include <functional>
#include <string>

// Answers message boxes (dialogs holding the text control 0xFFFF) with a
// button id as soon as they are activated, recording caption and text.
// One at a time per thread.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(int answer);
    ~MessageBoxAnswerer();
    int count = 0;
    std::string caption;
    std::string text;
    UINT style = 0;  // the box's window style, for the icon check below

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK m_hook;
    int m_answer;
};

// A plain top-level window for tests that need a parent.
class TopWindow : public CWnd {
public:
    TopWindow();
};

// Pumps the thread's messages until done() is true.
void PumpUntil(const std::function<bool()>& done);
