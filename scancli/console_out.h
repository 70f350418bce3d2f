// PurvexScan.exe's output: texts as code page 949 bytes, written as they are
// to the console (WriteConsoleA) or to a redirected file or pipe (WriteFile).
#pragma once
#include <windows.h>

#include <string>

namespace scancli {

// printf into a string.
std::string Formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));

class ConsoleOut {
public:
    // quiet: only errors are written.
    explicit ConsoleOut(bool quiet);
    ~ConsoleOut() { EndProgress(); }
    ConsoleOut(const ConsoleOut&) = delete;
    ConsoleOut& operator=(const ConsoleOut&) = delete;

    void Print(const std::string& text);  // standard output, unless quiet
    void Error(const std::string& text);  // standard error, always
    // One line rewritten in place, only when standard output is a console and
    // not quiet; cut to the console's width. Print and Error clear it first.
    void Progress(const std::string& line);
    void EndProgress();

private:
    static void Write(HANDLE handle, bool console, const std::string& text);

    HANDLE out_, err_;
    bool outConsole_, errConsole_;
    bool quiet_;
    size_t progressWidth_ = 0;  // bytes of the progress line shown, 0 for none
};

}  // namespace scancli
