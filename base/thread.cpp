#include "base/thread.h"

#include <process.h>

#include <memory>

namespace base {

namespace {

unsigned __stdcall RunBody(void* parameter) {
    std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(parameter));
    (*body)();
    return 0;
}

}  // namespace

Thread::Thread(std::function<void()> body) {
    auto* owned = new std::function<void()>(std::move(body));
    // _beginthreadex, not CreateThread: the C runtime sets up its per-thread data.
    const uintptr_t started = _beginthreadex(nullptr, 0, RunBody, owned, 0, nullptr);
    if (started == 0) {
        delete owned;
        return;
    }
    handle_.reset(reinterpret_cast<HANDLE>(started));
}

Thread& Thread::operator=(Thread&& other) noexcept {
    if (this != &other) {
        join();
        handle_ = std::move(other.handle_);
    }
    return *this;
}

void Thread::join() {
    if (!handle_) return;
    WaitForSingleObject(handle_.get(), INFINITE);
    handle_.reset();
}

}  // namespace base
