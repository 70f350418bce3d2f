// The start-page store in the version key and the browser reset. Plain
// registry work, no windows; failures are reported but never fatal.
#pragma once
#include <string>

namespace cure {

// "StartPage" of the version key, read with room for 50 bytes into a
// zero-filled buffer (a stored terminator is not expected). Empty when the key
// or the value cannot be read.
std::string ReadStoredStartPage();

// Writes "StartPage" into the existing version key as a string with its
// terminating zero. The key is not created. False when nothing was written.
bool WriteStoredStartPage(const std::string& address);

// The quick-choice index for a stored address: 5 for "about:blank", the preset
// index for an exact preset host, otherwise current unchanged.
int PresetChoiceFor(const std::string& address, int current);

// The address to apply: the text itself, or "about:blank" when it is empty.
std::string AddressOrBlank(const std::string& address);

// Writes the browser maker's defaults into the three browser keys (never
// created, never reached through a registry link: base/registry_links.h). A
// missing key, or one reached only through a link, leaves its values unwritten.
// Returns the number of values written.
int ResetBrowserDefaults();

}  // namespace cure
