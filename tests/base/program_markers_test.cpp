#include "base/program_markers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using base::ProgramMarker;

// A name of this test process alone, so that parallel runs never meet.
std::string TestName() { return "PurvexTestMarker" + std::to_string(GetCurrentProcessId()); }

TEST(ProgramMarker, OneClaimAtATimeAndTheMarkerGoesWithItsLastHolder) {
    const std::string name = TestName();
    EXPECT_FALSE(ProgramMarker::Held(name.c_str()));
    ProgramMarker first = ProgramMarker::Claim(name.c_str());
    ASSERT_TRUE(first.held());
    EXPECT_TRUE(ProgramMarker::Held(name.c_str()));
    EXPECT_FALSE(ProgramMarker::Claim(name.c_str()).held()) << "a second claim is refused";
    bool existed = false;
    ProgramMarker joined = ProgramMarker::Hold(name.c_str(), &existed);
    EXPECT_TRUE(joined.held());
    EXPECT_TRUE(existed);
    first.Release();
    EXPECT_TRUE(ProgramMarker::Held(name.c_str())) << "still held by the one that joined";
    joined.Release();
    EXPECT_FALSE(ProgramMarker::Held(name.c_str()));
    EXPECT_TRUE(ProgramMarker::Claim(name.c_str()).held());
}

}  // namespace
