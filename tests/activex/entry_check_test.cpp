// The edit dialog's CLSID check, without a window.
#include <gtest/gtest.h>

#include "app/activex/entry_check.h"

namespace {

TEST(ClsidEntry, AcceptsOnlyUpperCaseRegistryForm) {
    struct Case { const char* text; bool valid; } cases[] = {
        {"{00000000-5EB9-11D5-9D45-009027C14662}", true},
        {"{B195B3B3-8A05-11D3-97A4-0004ACA6948E}", true},
        {"00000000-5EB9-11D5-9D45-009027C14662", false},            // no braces
        {"{00000000-5EB9-11D5-9D45-009027C14662", false},           // no closing brace
        {"{00000000-5EB9-11D5-9D45-009027C1466}", false},           // 35 inside
        {"{00000000-5EB9-11D5-9D45-009027C146620}", false},         // 37 inside
        {"{0000000-05EB9-11D5-9D45-009027C14662}", false},          // first group of 7
        {"{00000000-5EB91-1D5-9D45-009027C14662}", false},          // second group of 5
        {"{00000000-5EB9-11D5-9D45-009027C1466-}", false},          // hyphen in the last group
        {"{00000000-5EB9-11D5-9D45-009027C1466G}", false},          // G
        {"{00000000-5eb9-11d5-9d45-009027c14662}", false},          // lower case
        {"{00000000-5EB9-11D5-9D45-009027C146\xb0\xa1}", false},    // a Korean character
        {"{00000000-5EB9-11D5-9D45-009027C1466 }", false},          // below "0"
        {"{}", false},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(c.valid, activex::IsValidClsidEntry(c.text)) << c.text;
}

}  // namespace
