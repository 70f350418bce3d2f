// The commands both database tools (adbtool, kadbtool) share. Each reports
// what went wrong on std::cerr, naming the file, and returns the tool's exit
// code: 0 on success, 1 on failure.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <iostream>
#include <string>
#include <vector>

#include "adb/tool_files.h"

namespace tool_commands {

// Reads a whole input file; on failure says "<path>: cannot read".
inline bool ReadInput(const char* path, std::string* out) {
    if (tool_files::ReadWholeFile(path, out)) return true;
    std::cerr << path << ": cannot read\n";
    return false;
}

// compile <source> <out>: parses the source text with
// parse(text, &db, &error) -> bool, encodes it with encode(db, &bytes) -> bool
// (the parser already checked every text, so this fails only on a fault),
// writes it over outPath and prints "<out>: <count(db)> <unit>, <n> bytes".
template <typename Database, typename SourceError, typename Parse, typename Encode, typename Count>
int CompileSource(const char* sourcePath, const char* outPath, Parse parse, Encode encode, Count count,
                  const char* unit) {
    std::string text;
    if (!ReadInput(sourcePath, &text)) return 1;
    Database db;
    SourceError error;
    if (!parse(text, &db, &error)) {
        std::cerr << sourcePath << ":" << error.line << ": " << error.message << "\n";
        return 1;
    }
    std::vector<uint8_t> bytes;
    if (!encode(db, &bytes)) {
        std::cerr << sourcePath << ": cannot encode\n";
        return 1;
    }
    if (!tool_files::WriteReplacing(outPath, bytes)) return 1;
    std::cout << outPath << ": " << count(db) << " " << unit << ", " << bytes.size() << " bytes\n";
    return 0;
}

}  // namespace tool_commands
