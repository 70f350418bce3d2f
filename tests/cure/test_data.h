// The expected files of this folder's data/, named by the build
// (PURVEX_CURE_TEST_DATA).
#pragma once
#include <string>

#include "tests/support/sandbox.h"

namespace cure_test {

inline std::string ReadTestData(const std::string& name) {
    return pvtest::ReadBytes(std::string(PURVEX_CURE_TEST_DATA) + "\\" + name);
}

}  // namespace cure_test
