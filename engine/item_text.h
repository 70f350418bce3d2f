// Turning a database item's texts into real paths: the leading path variable
// of a location (ResolveLocation) and the target normalisation
// (NormalizeItemText). All results go into fixed 260-character buffers; a
// result that would not fit is refused (the function returns false and the
// item counts as absent), never cut.
#pragma once
#include <windows.h>

#include "engine/bounded_text.h"

namespace engine {

// What the scan reads once per record: the platform family and the two
// system folders. A folder that could not be read is "" and makes the
// variables built on it unresolvable.
struct PathContext {
    bool ntFamily = true;
    char systemDir[kPathSize] = "";
    char windowsDir[kPathSize] = "";
};

// Fills a context from the running system.
void ReadPathContext(bool ntFamily, PathContext* context);

// Expands environment references in text into out (kPathSize); unknown
// references stay as written. Texts without a percent sign are copied
// unchanged without asking the system.
bool ExpandEnvironment(const char* text, char* out);

// The leading "%UserProFile%", "%sys%", "%ProgramFiles%" or "%Atv%" (any
// case) becomes its folder and the rest follows unchanged; any other
// location is expanded from the environment as a whole.
bool ResolveLocation(const char* location, const PathContext& context, char* out);

// Drops double quotes (and everything after the second), replaces a "%sys%"
// or "%Atv%" variable part, then expands environment references.
bool NormalizeItemText(const char* text, const PathContext& context, char* out);

}  // namespace engine
