// Versions are opaque texts compared as byte strings: no numbers are read out
// of them, so "1.10" sorts before "1.9" and "1.01c" before "1.0a".
#pragma once

namespace freshen {

// Negative, zero or positive as a sorts before, equal to or after b.
// Characters compare by their codes: in code page 949 every lead byte is
// above every single-byte character, so this is the byte order of the texts
// taken as unsigned. Unlike lstrcmp (CompareString), nothing is ignored or
// folded and no language rules apply.
int CompareVersionBytes(const char* a, const char* b);

// True when the server's version sorts after the installed one.
bool IsNewer(const char* server, const char* installed);

}  // namespace freshen
