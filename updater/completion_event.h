// Hands a download's completion from the download thread to the update
// thread. An automatic-reset event keeps a completion signalled until one
// wait takes it, so a completion reported before the wait starts is not lost.
#pragma once
#include <windows.h>
#include "base/unique_handle.h"

namespace freshen {

class CompletionEvent {
public:
    CompletionEvent() : event_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

    bool valid() const { return static_cast<bool>(event_); }
    void Signal() { SetEvent(event_.get()); }
    // Returns once a completion was reported (before or during the wait) and
    // consumes it.
    void Wait() { WaitForSingleObject(event_.get(), INFINITE); }
    HANDLE handle() const { return event_.get(); }

private:
    base::UniqueHandleKernel event_;
};

}  // namespace freshen
