// A page's worker thread and the protocol between the two: each start is a
// numbered pass; the page can stop a pass, hold it while it asks the user a
// question and let it continue; the worker checks in between its steps and
// hands each step to the page, trying again while the page answers "busy".
// No lock is held while the worker waits, so the page never blocks on it
// (and may show a message box while the worker is held).
#pragma once
#include <windows.h>

#include <functional>

#include "base/thread.h"
#include "base/unique_handle.h"

namespace base {

class PageWorker {
public:
    PageWorker();
    // Stops the running pass and waits for its thread.
    ~PageWorker();
    PageWorker(const PageWorker&) = delete;
    PageWorker& operator=(const PageWorker&) = delete;

    // ---- the page's side (one thread) ----

    // Waits for an earlier thread, then runs body(pass) on a new thread as the
    // next pass. False when no thread could be made (the pass is then over).
    bool Start(std::function<void(LONG pass)> body);
    // Ends the running pass: its checks answer false from now on and a held
    // worker wakes. Does not wait for the thread.
    void Stop();
    // Holds the worker at its next check until Continue or Stop.
    void Hold();
    void Continue();
    // Waits until the thread has ended, answering messages sent to the calling
    // thread meanwhile (a worker may be waiting for the page to take a step).
    void Join();

    // Whether a step of pass belongs to the latest pass, not stopped.
    bool IsCurrent(LONG pass) const { return pass == pass_ && !stopped_; }
    // Whether the latest pass was stopped (or none was started).
    bool Stopped() const { return stopped_; }
    // The page asks a question: a step arriving now is answered "busy".
    bool Held() const { return held_; }
    // From Start until the body has returned.
    bool Busy() const { return busy_ != 0; }
    bool HasThread() const { return thread_.joinable(); }

    // ---- the worker's side ----

    // Waits while the pass is held; false once the pass is stopped.
    bool Proceed(LONG pass);
    // Hands one step to the page: step() answers false when the page is busy,
    // and is then called again once the hold is over. False once stopped.
    bool Deliver(LONG pass, const std::function<bool()>& step);
    // Waits until event is signalled (true) or the pass is stopped (false).
    bool WaitFor(LONG pass, HANDLE event);

private:
    bool PassOver(LONG pass);

    CriticalSection lock_;  // guards pass_, stopped_ and held_
    UniqueHandleKernel wake_;  // auto-reset: a hold ended or the pass stopped
    Thread thread_;
    volatile LONG pass_ = 0;
    volatile bool stopped_ = true;
    volatile bool held_ = false;
    volatile LONG busy_ = 0;
};

}  // namespace base
