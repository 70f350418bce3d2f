// The keyed digest against RFC 4231's vectors: a short key, a key shorter
// than the data, and a key longer than a block (hashed first).
#include "base/sha256.h"

#include <gtest/gtest.h>

namespace {

TEST(HmacSha256, Rfc4231Vectors) {
    const struct {
        std::string key, data, digest;
    } cases[] = {
        {std::string(20, '\x0b'), "Hi There", "b0344c61d8db38535ca8afceaf0bf12b881dc200c9833da726e9376c2e32cff7"},
        {"Jefe", "what do ya want for nothing?", "5bdcc146bf60754e6a042426089575c75a003f089d2739839dec58b964ec3843"},
        {std::string(131, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First",
         "60e431591ee0b67f0d8a26aacbf5b77f8e0bc6213728c5140546040f0ee37f54"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        EXPECT_EQ(base::HmacSha256Hex(c.key.data(), c.key.size(), c.data.data(), c.data.size()), c.digest);
    }
}

}  // namespace
