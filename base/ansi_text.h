// Texts of the ANSI code page: comparing without regard to case (ASCII
// letters fold, double-byte characters, whose trail bytes may look like
// letters, compare exactly) and keeping a text one field of a list line.
#pragma once
#include <stddef.h>

#include <string>

namespace base {

bool StartsWithNoCase(const char* text, const char* prefix);
bool EqualsNoCase(const char* a, const char* b);
// Compares the first n characters like strnicmp: stops early when both end.
bool EqualsNoCaseN(const char* a, const char* b, size_t n);

// text with its control characters (and with percent also "%") as "%XX", so
// that it stays one tab-separated field of one line of a list the program
// writes. The code page's double-byte characters never use those bytes.
std::string EscapedField(const std::string& text, bool percent = true);
// The text EscapedField(text, true) made, back.
std::string UnescapedField(const std::string& text);

}  // namespace base
