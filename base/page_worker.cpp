#include "base/page_worker.h"

#include <utility>

namespace base {

PageWorker::PageWorker() : wake_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

PageWorker::~PageWorker() {
    Stop();
    Join();
}

bool PageWorker::Start(std::function<void(LONG pass)> body) {
    Join();
    LONG pass;
    {
        ScopedLock hold(lock_);
        pass = ++pass_;
        stopped_ = false;
        held_ = false;
    }
    ResetEvent(wake_.get());
    busy_ = 1;
    thread_ = Thread([this, pass, body = std::move(body)] {
        body(pass);
        InterlockedExchange(&busy_, 0);
    });
    if (thread_.joinable()) return true;
    busy_ = 0;
    Stop();
    return false;
}

void PageWorker::Stop() {
    {
        ScopedLock hold(lock_);
        stopped_ = true;
        held_ = false;
    }
    SetEvent(wake_.get());
}

void PageWorker::Hold() {
    ScopedLock hold(lock_);
    held_ = true;
}

void PageWorker::Continue() {
    {
        ScopedLock hold(lock_);
        held_ = false;
    }
    SetEvent(wake_.get());
}

void PageWorker::Join() {
    if (!thread_.joinable()) return;
    HANDLE thread = thread_.handle();
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
        MSG msg;
        PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    thread_.join();
}

bool PageWorker::PassOver(LONG pass) {
    ScopedLock hold(lock_);
    return pass != pass_ || stopped_;
}

bool PageWorker::Proceed(LONG pass) {
    for (;;) {
        {
            ScopedLock hold(lock_);
            if (pass != pass_ || stopped_) return false;
            if (!held_) return true;
        }
        WaitForSingleObject(wake_.get(), INFINITE);
    }
}

bool PageWorker::Deliver(LONG pass, const std::function<bool()>& step) {
    while (Proceed(pass)) {
        if (step()) return true;
    }
    return false;
}

bool PageWorker::WaitFor(LONG pass, HANDLE event) {
    const HANDLE handles[] = {event, wake_.get()};
    while (!PassOver(pass)) {
        if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0) return !PassOver(pass);
    }
    return false;
}

}  // namespace base
