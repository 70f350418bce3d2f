// The platform family as the system reports it and as it is: the NT family,
// as Wine is, with its NT calls (the win98 side is deletion9x_test.cpp).
#include "base/platform.h"

#include <gtest/gtest.h>

namespace {

TEST(Platform, TheNtFamilyReportsItselfAndHasTheNtCalls) {
    EXPECT_FALSE(base::Reports9xFamily());
    EXPECT_TRUE(base::HasNtCalls());
}

}  // namespace
