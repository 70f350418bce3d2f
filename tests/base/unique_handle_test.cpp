#include "base/unique_handle.h"
#include <gtest/gtest.h>

namespace {

TEST(UniqueHandle, ClosesOnResetAndMoves) {
    HANDLE raw = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(raw, nullptr);
    base::UniqueHandleKernel first(raw);
    base::UniqueHandleKernel second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), raw);
    second.reset();
    EXPECT_FALSE(second);
    SetLastError(0);
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(raw, &flags)) << "the event handle should be closed";
}

TEST(UniqueHandle, FindHandleEmptyIsInvalidHandleValue) {
    WIN32_FIND_DATAA data;
    base::UniqueFind find(FindFirstFileA("C:\\no-such-folder-here\\*.*", &data));
    EXPECT_FALSE(find);
    EXPECT_EQ(find.get(), INVALID_HANDLE_VALUE);
}

TEST(UniqueHandle, RegistryKeyPutFillsOutParameter) {
    base::UniqueHKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, key.put()), ERROR_SUCCESS);
    EXPECT_TRUE(key);
}

}  // namespace
