// The readable signature source that adbtool compiles into an ADB database.
// The format is described in the README ("Signature source"). No Windows
// headers: builds on any host.
#pragma once
#include <string>

#include "adb/adb_codec.h"

namespace adb {

struct SourceError {
    int line = 0;          // 1-based; 0 when the error concerns the whole text
    std::string message;
};

// Parses a whole source text. On failure returns false, fills *error and
// leaves *out empty. Every text of a parsed database is encodable.
bool ParseSignatureSource(const std::string& text, Database* out, SourceError* error);

// Writes a database back as source text. Absent texts (only possible in a
// database read from a damaged file) are written as the bare word <absent>,
// which the parser refuses.
std::string FormatSignatureSource(const Database& db);

}  // namespace adb
