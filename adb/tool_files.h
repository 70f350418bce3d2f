// File handling of the host tools that compile databases (adbtool, kadbtool):
// whole files read, and a database written beside its target first and then
// renamed over it, so a failed write never leaves half a database.
#pragma once
#include <stdint.h>
#include <stdio.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace tool_files {

inline bool ReadWholeFile(const char* path, std::string* out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Writes bytes to outPath + ".tmp", then renames it to outPath. On failure
// names the file on std::cerr, removes the temporary file and returns false.
inline bool WriteReplacing(const char* outPath, const std::vector<uint8_t>& bytes) {
    const std::string temp = std::string(outPath) + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::cerr << temp << ": cannot write\n";
            remove(temp.c_str());
            return false;
        }
    }
    if (rename(temp.c_str(), outPath) != 0) {
        std::cerr << outPath << ": cannot replace\n";
        remove(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace tool_files
