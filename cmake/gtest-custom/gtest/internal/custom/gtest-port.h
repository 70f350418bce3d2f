// GoogleTest's hook for port settings, found before its own empty one.
//
// The win32-thread MinGW compilers have no std::mutex or
// std::condition_variable. GoogleTest locks with its own Windows mutex there;
// the one class it builds on the standard ones, Notification, is given here on
// a Win32 event instead.
#pragma once
#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
public:
    Notification() : event_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { ::CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { ::SetEvent(event_); }
    void WaitForNotification() { ::WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace internal
}  // namespace testing
