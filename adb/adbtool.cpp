// adbtool: compiles a signature source into an ADB database, or prints a
// database back as source.
//
//   adbtool compile <source.txt> <out.adb>
//   adbtool dump <in.adb>
#include <stdio.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "adb/adb_codec.h"
#include "adb/signature_source.h"

namespace {

bool ReadWholeFile(const char* path, std::string* out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

int Compile(const char* sourcePath, const char* outPath) {
    std::string text;
    if (!ReadWholeFile(sourcePath, &text)) {
        std::cerr << sourcePath << ": cannot read\n";
        return 1;
    }
    adb::Database db;
    adb::SourceError error;
    if (!adb::ParseSignatureSource(text, &db, &error)) {
        std::cerr << sourcePath << ":" << error.line << ": " << error.message << "\n";
        return 1;
    }
    std::vector<uint8_t> bytes;
    if (adb::Encode(db, &bytes) != adb::EncodeError::none) {  // the parser already checked every text
        std::cerr << sourcePath << ": cannot encode\n";
        return 1;
    }
    // Write beside the target first so a failed write never leaves half a database.
    std::string temp = std::string(outPath) + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::cerr << temp << ": cannot write\n";
            remove(temp.c_str());
            return 1;
        }
    }
    if (rename(temp.c_str(), outPath) != 0) {
        std::cerr << outPath << ": cannot replace\n";
        remove(temp.c_str());
        return 1;
    }
    std::cout << outPath << ": " << db.records.size() << " records, " << bytes.size() << " bytes\n";
    return 0;
}

int Dump(const char* path) {
    std::string bytes;
    if (!ReadWholeFile(path, &bytes)) {
        std::cerr << path << ": cannot read\n";
        return 1;
    }
    adb::Database db;
    if (!adb::Decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &db)) {
        std::cerr << path << ": not an ADB database\n";
        return 1;
    }
    std::cout << adb::FormatSignatureSource(db);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "compile" && argc == 4) return Compile(argv[2], argv[3]);
    if (command == "dump" && argc == 3) return Dump(argv[2]);
    std::cerr << "usage: adbtool compile <source.txt> <out.adb>\n"
                 "       adbtool dump <in.adb>\n";
    return 2;
}
