#include "base/page_worker.h"

#include <gtest/gtest.h>

namespace {

using base::PageWorker;
using base::UniqueHandleKernel;

UniqueHandleKernel NewEvent() { return UniqueHandleKernel(CreateEventA(nullptr, TRUE, FALSE, nullptr)); }

enum class Answer { kNone, kContinue, kStop };

// The page holds the worker, or answers its step "busy" because a question
// has just opened; then it answers the question.
TEST(PageWorker, HeldWorkerWaitsForTheAnswer) {
    const struct {
        bool deliver;  // a step met by the question, else a check while held
        Answer answer;
        bool goesOn;
        int attempts;  // steps tried
    } cases[] = {
        {false, Answer::kContinue, true, 0}, {false, Answer::kStop, false, 0},
        {true, Answer::kContinue, true, 2},  {true, Answer::kStop, false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.deliver << " " << static_cast<int>(c.answer));
        PageWorker worker;
        UniqueHandleKernel go = NewEvent(), tried = NewEvent(), ended = NewEvent();
        bool goesOn = false;
        int attempts = 0;
        ASSERT_TRUE(worker.Start([&](LONG pass) {
            WaitForSingleObject(go.get(), INFINITE);
            goesOn = c.deliver ? worker.Deliver(pass, [&] {
                if (++attempts > 1) return true;
                worker.Hold();  // as the page does when it opens the question
                SetEvent(tried.get());
                return false;
            })
                               : worker.Proceed(pass);
            SetEvent(ended.get());
        }));
        if (!c.deliver) worker.Hold();
        SetEvent(go.get());
        if (c.deliver) WaitForSingleObject(tried.get(), INFINITE);
        EXPECT_EQ(WaitForSingleObject(ended.get(), 100), static_cast<DWORD>(WAIT_TIMEOUT)) << "went on while held";
        if (c.answer == Answer::kContinue) worker.Continue();
        if (c.answer == Answer::kStop) worker.Stop();
        worker.Join();
        EXPECT_FALSE(worker.Busy());
        EXPECT_EQ(goesOn, c.goesOn);
        EXPECT_EQ(attempts, c.attempts);
    }
}

TEST(PageWorker, WaitEndsWithTheEventOrTheStopAndOnlyTheLatestPassIsCurrent) {
    for (const bool stop : {false, true}) {
        PageWorker worker;
        UniqueHandleKernel done = NewEvent();
        LONG first = 0, second = 0;
        bool signalled = !stop;
        ASSERT_TRUE(worker.Start([&](LONG pass) {
            first = pass;
            signalled = worker.WaitFor(pass, done.get());
        }));
        if (stop) worker.Stop();
        else SetEvent(done.get());
        worker.Join();
        EXPECT_EQ(signalled, !stop);
        EXPECT_EQ(worker.IsCurrent(first), !stop);
        ASSERT_TRUE(worker.Start([&](LONG pass) { second = pass; }));
        worker.Join();
        EXPECT_NE(second, first);
        EXPECT_FALSE(worker.IsCurrent(first));
        EXPECT_TRUE(worker.IsCurrent(second));
    }
}

}  // namespace
