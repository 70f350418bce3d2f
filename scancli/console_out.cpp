#include "scancli/console_out.h"

#include <stdarg.h>
#include <stdio.h>

namespace scancli {

namespace {

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

// The longest start of text that fits in width bytes without splitting a
// double-byte character of code page 949 (lead bytes 0x81 and above).
size_t FittingLength(const std::string& text, size_t width) {
    size_t n = 0;
    while (n < text.size()) {
        const size_t step = static_cast<unsigned char>(text[n]) >= 0x81 ? 2 : 1;
        if (n + step > width || n + step > text.size()) break;
        n += step;
    }
    return n;
}

}  // namespace

std::string Formatted(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) vsnprintf(&text[0], text.size() + 1, format, again);
    va_end(again);
    return text;
}

ConsoleOut::ConsoleOut(bool quiet)
    : out_(GetStdHandle(STD_OUTPUT_HANDLE)),
      err_(GetStdHandle(STD_ERROR_HANDLE)),
      outConsole_(IsConsole(out_)),
      errConsole_(IsConsole(err_)),
      quiet_(quiet) {}

void ConsoleOut::Write(HANDLE handle, bool console, const std::string& text) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) return;
    DWORD written = 0;
    if (console)
        WriteConsoleA(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    else
        WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void ConsoleOut::Print(const std::string& text) {
    if (quiet_) return;
    EndProgress();
    Write(out_, outConsole_, text);
}

void ConsoleOut::Error(const std::string& text) {
    EndProgress();
    Write(err_, errConsole_, text);
}

void ConsoleOut::Progress(const std::string& line) {
    if (quiet_ || !outConsole_) return;
    CONSOLE_SCREEN_BUFFER_INFO info;
    size_t width = 79;
    if (GetConsoleScreenBufferInfo(out_, &info) && info.dwSize.X > 1) width = static_cast<size_t>(info.dwSize.X) - 1;
    std::string shown = line.substr(0, FittingLength(line, width));
    const size_t length = shown.size();
    if (length < progressWidth_) shown.append(progressWidth_ - length, ' ');
    Write(out_, true, "\r" + shown);
    progressWidth_ = length > 0 ? length : 1;
}

void ConsoleOut::EndProgress() {
    if (progressWidth_ == 0) return;
    Write(out_, true, "\r" + std::string(progressWidth_, ' ') + "\r");
    progressWidth_ = 0;
}

}  // namespace scancli
