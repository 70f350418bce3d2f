// A thread and a lock with owners, for code that must not depend on a pthread
// layer: the thread runs a function and is joined when its owner goes; the
// lock is a critical section entered and left by one scope.
#pragma once
#include <windows.h>

#include <functional>

#include "base/unique_handle.h"

namespace base {

class Thread {
public:
    Thread() = default;
    // Starts body on a new thread; joinable() tells whether that worked.
    explicit Thread(std::function<void()> body);
    ~Thread() { join(); }
    Thread(Thread&& other) noexcept = default;
    Thread& operator=(Thread&& other) noexcept;
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    bool joinable() const { return static_cast<bool>(handle_); }
    HANDLE handle() const { return handle_.get(); }
    // Waits until the body has returned; does nothing when no thread runs.
    void join();

private:
    UniqueHandleKernel handle_;
};

class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&section_); }
    ~CriticalSection() { DeleteCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Enter() { EnterCriticalSection(&section_); }
    void Leave() { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION section_;
};

// Holds a critical section for one scope.
class ScopedLock {
public:
    explicit ScopedLock(CriticalSection& section) : section_(section) { section_.Enter(); }
    ~ScopedLock() { section_.Leave(); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    CriticalSection& section_;
};

}  // namespace base
