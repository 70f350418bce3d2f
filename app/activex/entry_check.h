// Checks of what the user types into the edit dialog; no windows involved.
#pragma once
#include <stddef.h>

namespace activex {

// The dialog's CLSID check: "{", then groups of 8, 4, 4, 4 and 12 characters
// separated by hyphens, then "}" (36 characters between the braces). Every
// character of a group must be a digit or a letter A to F; lower-case letters
// fail (the field converts typed letters to upper case), and so do bytes of
// 0x80 and above, which would otherwise become part of a registry key name.
bool IsValidClsidEntry(const char* text);

}  // namespace activex
